#!/usr/bin/env bash
# Runs a Windows program under Wine the way every script and test here does:
# a prefix inside the build folder, code page 936, no debug noise, and a
# display (the caller's, or an Xvfb of our own that is stopped afterwards).
#
#   scripts/wine.sh PROGRAM.exe [ARGS...]   run a program
#   scripts/wine.sh --start                 create/start the prefix, return
#   scripts/wine.sh --stop                  stop the prefix's wineserver
#
# ORVEX_WINDOWS_BUILD names the build folder; the program's own folder is
# used when it is unset and the program lies in a build folder.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/env.sh"

build=${ORVEX_WINDOWS_BUILD}
if [ "$ORVEX_WINDOWS_PRESET" = windows ]; then
  export WINEARCH=win32
  wine_bin=/usr/lib/wine/wine
  wineserver_bin=/usr/lib/wine/wineserver32
else
  export WINEARCH=win64
  wine_bin=/usr/lib/wine/wine64
  wineserver_bin=/usr/lib/wine/wineserver64
  export WINELOADER=$wine_bin
fi
export WINEPREFIX="$build/wineprefix"
export WINESERVER=$wineserver_bin
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LOCPATH="$ORVEX_ROOT/build/locale"
export LC_ALL=zh_CN.UTF-8

case "${1:-}" in
  --stop)
    [ -d "$WINEPREFIX" ] && "$wineserver_bin" -k 2>/dev/null
    exit 0 ;;
  --start)
    mkdir -p "$build"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      "$wine_bin" wineboot -i </dev/null >/dev/null 2>&1
    fi
    # Keep the server alive between tests so that each one starts quickly.
    "$wine_bin" cmd /c exit </dev/null >/dev/null 2>&1
    exit 0 ;;
esac

xvfb_pid=""
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; }
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    export DISPLAY=":$n"
    break
  done
  trap cleanup EXIT
fi

"$wine_bin" "$@"
rc=$?
exit $rc
