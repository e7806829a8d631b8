#!/usr/bin/env bash
# Sets up the machine, builds the tool and starts it under Wine; the files
# named after this command are handed to the tool's command line.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
cd "$root"
bash scripts/setup.sh >/dev/null
source scripts/env.sh
cmake --preset "$ORVEX_WINDOWS_PRESET" >/dev/null
cmake --build --preset "$ORVEX_WINDOWS_PRESET" --target orvex >/dev/null
bash scripts/wine.sh --start
args=()
for f in "$@"; do
  # Unix paths become the Z:\ paths Wine shows them as.
  if [ -e "$f" ]; then args+=("Z:$(realpath "$f" | tr / '\\')"); else args+=("$f"); fi
done
exec bash scripts/wine.sh "$ORVEX_WINDOWS_BUILD/orvex.exe" "${args[@]}"
