#!/usr/bin/env bash
# Takes the README's picture: the built tool under Wine on an Xvfb display of
# its own, started in a folder of its own with the system icons loaded, its
# window saved as docs/screenshot.png (or OUTPUT).
#
#   scripts/screenshot.sh [OUTPUT.png]
#
# Uses the built tool of ORVEX_WINDOWS_BUILD, as the tests do. The picture is
# taken in a Wine prefix of its own in which Wine draws window frames itself
# (there is no window manager under Xvfb), so the skinned caption shows; the
# tests' prefix is left as it is.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
source "$here/env.sh"

out=${1:-$root/docs/screenshot.png}
exe=$ORVEX_WINDOWS_BUILD/orvex.exe
if [ ! -f "$exe" ]; then
  echo "screenshot: no built tool at $exe (build it first)" >&2
  exit 1
fi
command -v import >/dev/null || { echo "screenshot: imagemagick's import is missing (scripts/setup.sh)" >&2; exit 1; }

work=$ORVEX_WINDOWS_BUILD/screenshot
mkdir -p "$work/program" "$(dirname "$out")"
cp "$exe" "$work/program/orvex.exe"
# The tool writes its skin library at its first start; start from none.
rm -f "$work/program/SkinH_EL.dll"

xvfb_pid=""
cleanup() {
  ORVEX_WINDOWS_BUILD=$work bash "$here/wine.sh" --stop || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
for n in $(seq 150 199); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  export DISPLAY=":$n"
  break
done
[ -n "$xvfb_pid" ] || { echo "screenshot: no free display" >&2; exit 1; }

export ORVEX_WINDOWS_BUILD=$work
bash "$here/wine.sh" --start
bash "$here/wine.sh" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
bash "$here/wine.sh" "$work/program/orvex.exe" 'C:\windows\system32\shell32.dll' >/dev/null 2>&1 &

# Wait until the window is on the (otherwise black) screen and has settled.
shot=$work/screen.png
for _ in $(seq 60); do
  sleep 1
  import -window root -trim +repage "$shot" 2>/dev/null || continue
  size=$(identify -format '%w' "$shot" 2>/dev/null || echo 0)
  [ "${size:-0}" -ge 300 ] && break
done
sleep 2
import -window root -trim +repage "$out"
echo "screenshot: $out ($(identify -format '%wx%h' "$out"))"
