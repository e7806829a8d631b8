# Sourced by the scripts: which Windows build this machine can run.
#
# The product is a 32-bit program. Some virtual machines run no 32-bit Linux
# processes at all, and then 32-bit Wine cannot start; there the Windows tests
# run against the 64-bit build of the same sources under 64-bit Wine. The
# release is always the 32-bit build.
ORVEX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

orvex_can_run_32bit() {
  [ -x /usr/lib/wine/wine ] || return 1
  # Exec format error (126) means the kernel runs no 32-bit processes.
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

if [ -z "${ORVEX_WINDOWS_PRESET:-}" ]; then
  if orvex_can_run_32bit; then ORVEX_WINDOWS_PRESET=windows; else ORVEX_WINDOWS_PRESET=windows64; fi
fi
export ORVEX_WINDOWS_PRESET
ORVEX_WINDOWS_BUILD="${ORVEX_WINDOWS_BUILD:-$ORVEX_ROOT/build/$ORVEX_WINDOWS_PRESET}"
export ORVEX_WINDOWS_BUILD

# Starts an Xvfb on a display that Xvfb itself picks free (no race with other
# servers starting at the same time); sets DISPLAY and ORVEX_XVFB_PID.
orvex_start_xvfb() {
  local out
  out=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$out" >/dev/null 2>&1 &
  ORVEX_XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$out" ] && grep -q '^[0-9]' "$out" && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$out" | tr -dc 0-9)"
  rm -f "$out"
}
