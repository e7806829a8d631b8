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

# The display of this build folder: one Xvfb that lives from --start to
# --stop, so that Wine's desktop process keeps one display throughout.
display_file="$build/xvfb.display"
pid_file="$build/xvfb.pid"

case "${1:-}" in
  --stop)
    [ -d "$WINEPREFIX" ] && "$wineserver_bin" -k 2>/dev/null
    if [ -f "$pid_file" ]; then kill "$(cat "$pid_file")" 2>/dev/null; rm -f "$pid_file" "$display_file"; fi
    exit 0 ;;
  --start)
    mkdir -p "$build"
    if [ -z "${DISPLAY:-}" ]; then
      if ! { [ -f "$pid_file" ] && kill -0 "$(cat "$pid_file")" 2>/dev/null; }; then
        orvex_start_xvfb
        echo "$ORVEX_XVFB_PID" >"$pid_file"
        echo "$DISPLAY" >"$display_file"
      fi
      export DISPLAY=$(cat "$display_file")
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      LC_ALL=zh_CN.UTF-8 "$wine_bin" wineboot -i </dev/null >/dev/null 2>&1
    fi
    # Keep the server alive between tests so that each one starts quickly.
    LC_ALL=zh_CN.UTF-8 "$wine_bin" cmd /c exit </dev/null >/dev/null 2>&1
    exit 0 ;;
esac

ORVEX_XVFB_PID=""
cleanup() { [ -n "$ORVEX_XVFB_PID" ] && kill "$ORVEX_XVFB_PID" 2>/dev/null; }
if [ -z "${DISPLAY:-}" ]; then
  if [ -f "$pid_file" ] && kill -0 "$(cat "$pid_file")" 2>/dev/null; then
    export DISPLAY=$(cat "$display_file")
  else
    orvex_start_xvfb
    trap cleanup EXIT
  fi
fi

LC_ALL=zh_CN.UTF-8 "$wine_bin" "$@"
rc=$?
exit $rc
