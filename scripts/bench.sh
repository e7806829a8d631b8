#!/usr/bin/env bash
# Benchmark: how fast the tool lists and saves every icon of a module, next to
# icoutils' wrestool doing the same extraction in the same run.
#
#   scripts/bench.sh [RUNS]     (default 3; each figure is the best of RUNS)
#
# Modules: Wine's own shell32.dll (copied out of the prefix, so both tools
# read the same file) and bench_1000.dll / bench_5000.dll, made with windres
# from icons our own generator writes (bench/CMakeLists.txt). Our figures are
# measured in-process by bench/bench.cpp with QueryPerformanceCounter; the
# wrestool figure is the wall time of `wrestool -x -t14 -o DIR MODULE`, its
# process start included. ours/theirs compares save-all with wrestool.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
cd "$root"

runs=${1:-3}
bash scripts/setup.sh >/dev/null
source scripts/env.sh
build=$ORVEX_WINDOWS_BUILD
if [ "$ORVEX_WINDOWS_PRESET" = windows ]; then triple=i686-w64-mingw32; else triple=x86_64-w64-mingw32; fi
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw.cmake" \
  -DORVEX_MINGW_TRIPLE=$triple -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target orvex_bench orvex_bench_modules >/dev/null

stop_wine() { bash scripts/wine.sh --stop || true; }
trap stop_wine EXIT
bash scripts/wine.sh --start

work=$build/bench
cp "$build/wineprefix/drive_c/windows/system32/shell32.dll" "$work/shell32.dll"
winpath() { echo "Z:$(realpath "$1" | tr / '\\')"; }
now_ns() { date +%s%N; }

# Best (smallest) of a column over runs; the largest for memory.
best() { sort -g | head -n1; }
worst() { sort -g | tail -n1; }
field() { tr ' ' '\n' | sed -n "s/^$1=//p"; }

results=()
for module in shell32.dll bench_1000.dll bench_5000.dll; do
  path=$work/$module
  ours=()
  theirs=()
  for _ in $(seq "$runs"); do
    out=$work/out-ours
    rm -rf "$out"
    line=$(bash scripts/wine.sh "$work/orvex_bench.exe" "$(winpath "$path")" "$(winpath "$work")\\out-ours" | tr -d '\r')
    ours+=("$line")
    rm -rf "$work/out-wrestool"
    mkdir -p "$work/out-wrestool"
    t0=$(now_ns)
    wrestool -x -t14 -o "$work/out-wrestool" "$path"
    t1=$(now_ns)
    theirs+=("$(( (t1 - t0) / 1000 )) $(find "$work/out-wrestool" -type f | wc -l)")
  done
  first=${ours[0]}
  groups=$(echo "$first" | field groups)
  load=$(printf '%s\n' "${ours[@]}" | field load_ms | best)
  save=$(printf '%s\n' "${ours[@]}" | field save_ms | best)
  read=$(printf '%s\n' "${ours[@]}" | field read_ms | best)
  saved=$(printf '%s\n' "${ours[@]}" | field saved | worst)
  ws=$(printf '%s\n' "${ours[@]}" | field peak_working_set_kb | worst)
  pf=$(printf '%s\n' "${ours[@]}" | field peak_pagefile_kb | worst)
  wt=$(printf '%s\n' "${theirs[@]}" | cut -d' ' -f1 | best)
  wfiles=$(printf '%s\n' "${theirs[@]}" | cut -d' ' -f2 | worst)
  results+=("$module $groups $load $save $saved $ws $pf $wt $wfiles $read")
done

echo
echo "Orvex benchmark ($ORVEX_WINDOWS_PRESET build under Wine, best of $runs runs; wrestool $(wrestool --version | head -n1 | awk '{print $NF}'))"
printf '%s\n' "${results[@]}" | awk '
BEGIN {
  printf "%-15s %6s | %10s %9s | %10s %9s %6s %9s | %10s %9s %6s | %7s | %9s %9s\n",
    "module", "groups", "load ms", "us/icon", "save ms", "us/icon", "files", "of: read", "wrestool", "us/icon", "files", "ours/wr", "peak WS", "peak PF"
  printf "%s\n", "--------------------------------------------------------------------------------------------------------------------------------------------"
}
{
  wr = $8 / 1000.0
  printf "%-15s %6d | %10.1f %9.1f | %10.1f %9.1f %6d %9.1f | %10.1f %9.1f %6d | %7.2f | %7.1fMB %7.1fMB\n",
    $1, $2, $3, $3 * 1000 / $2, $4, $4 * 1000 / $2, $5, $10, wr, wr * 1000 / $2, $9, $4 / wr, $6 / 1024, $7 / 1024
}'
echo "load: every icon into the hidden main window's list; save: every group as a .ico file (ExportIcon, as save-all);"
echo "of: read: the save-all reads alone, with no file written;"
echo "wrestool: wall time of wrestool -x -t14 -o DIR MODULE; ours/wr: save-all time over wrestool's; peak: working set, pagefile."
