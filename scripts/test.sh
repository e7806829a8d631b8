#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test: the portable core natively
# with sanitizers, a bounded fuzz run of the parsers, and the Windows tests
# under Wine + Xvfb.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
cd "$root"

bash scripts/setup.sh
source scripts/env.sh

echo "== host: portable core with AddressSanitizer and UBSan"
cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host

if ls tests/fuzz/*_fuzz.cpp >/dev/null 2>&1; then
  echo "== fuzz: bounded runs of the parsers"
  bash scripts/fuzz.sh "${ORVEX_FUZZ_SECONDS:-20}"
fi

echo "== windows ($ORVEX_WINDOWS_PRESET): tests under Wine"
if [ "$ORVEX_WINDOWS_PRESET" != windows ]; then
  # The release is the 32-bit build: it must build even where it cannot run.
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target orvex
fi
cmake --preset "$ORVEX_WINDOWS_PRESET" >/dev/null
cmake --build --preset "$ORVEX_WINDOWS_PRESET"

stop_all() { bash scripts/wine.sh --stop || true; }
trap stop_all EXIT
# Start Wine (and, without a display, an Xvfb for the whole run) before
# ctest: its helper processes must not inherit ctest's pipes.
bash scripts/wine.sh --start
ctest --preset "$ORVEX_WINDOWS_PRESET" "$@"
