#!/usr/bin/env bash
# Bounded libFuzzer runs over the parsers: every tests/fuzz/*_fuzz.cpp target
# runs for SECONDS (default 20), starting from seeds that our own sample
# builder writes (tests/windows/fixtures/generator/make_fixtures.cpp
# --seeds) and from the corpus earlier runs kept. Any crash, sanitizer
# report, leak or timeout fails the run.
#
#   scripts/fuzz.sh [SECONDS]
#
# The build goes to build/fuzz (the fuzz preset's folder), or to
# ORVEX_FUZZ_BUILD when set.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
cd "$root"

seconds=${1:-20}
build=${ORVEX_FUZZ_BUILD:-$root/build/fuzz}

# The fuzz preset's settings, in a folder that may be the caller's own.
cmake -S "$root" -B "$build" -DORVEX_HOST=ON -DORVEX_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
cmake --build "$build" -j2

seeds=$build/seeds
rm -rf "$seeds"
clang++ -std=c++17 -O1 -I"$root/src" -o "$build/make_fixtures" "$root/tests/windows/fixtures/generator/make_fixtures.cpp"
"$build/make_fixtures" --seeds "$seeds"

status=0
for src in tests/fuzz/*_fuzz.cpp; do
  name=$(basename "$src" .cpp)
  corpus=$build/corpus/$name
  mkdir -p "$corpus"
  dirs=("$corpus")
  [ -d "$seeds/$name" ] && dirs+=("$seeds/$name")
  log=$build/$name.log
  echo "fuzz: $name for ${seconds}s"
  if ! "$build/$name" -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build/$name-" "${dirs[@]}" >"$log" 2>&1; then
    echo "fuzz: $name FAILED; the end of $log:" >&2
    tail -n 60 "$log" >&2
    status=1
  else
    grep -E "^Done [0-9]+ runs" "$log" || tail -n 1 "$log"
  fi
done
exit $status
