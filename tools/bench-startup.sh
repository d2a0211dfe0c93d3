#!/usr/bin/env bash
# Start-up of Norvex's main window against a minimal program that shows one empty window, each measured as a whole
# process under Wine with the Wine server kept running (so that Wine's own start does not hide the program's cost),
# on a virtual display. For each count, five slots of that many profiles each, slot 1's page active. A second
# yardstick is the least a program with a list view shows: a window with Norvex's manifest holding one empty list
# view (under Wine the common controls' version 6 loads the visual style).
#   tools/bench-startup.sh [PROFILES_PER_SLOT ...]    default: 0 200 1000 (0, 1,000 and 5,000 profiles)
#   NORVEX_BENCH_RUNS=N                                timed runs of each program (default 8), after one warm-up
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
runs="${NORVEX_BENCH_RUNS:-8}"
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(0 200 1000)

tools/setup.sh
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release -DNORVEX_TESTS=ON -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
cmake --build build/win --target bench_startup bench_empty_window bench_empty_window_manifest >/dev/null
bench="$PWD/build/win/bench-bin"

export WINEPREFIX="$PWD/build/win/wineprefix" WINEDEBUG=-all
wineserver -p 2>/dev/null || true # already running: kept
trap 'wineserver -k 2>/dev/null || true' EXIT

# Seconds one run of the program takes, wall clock.
seconds() {
    local start end
    start=$(date +%s%N)
    tools/wine-run "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    end=$(date +%s%N)
    awk -v ns=$((end - start)) 'BEGIN { printf "%.4f\n", ns / 1e9 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for count in "${counts[@]}"; do
    tools/wine-run "$bench/bench_startup.exe" --prepare "$count" >/dev/null 2>&1
    seconds "$bench/bench_startup.exe" "$count" >/dev/null
    seconds "$bench/bench_empty_window.exe" >/dev/null
    seconds "$bench/bench_empty_window_manifest.exe" --list-view >/dev/null
    norvex=()
    empty=()
    controls=()
    for _ in $(seq "$runs"); do
        norvex+=("$(seconds "$bench/bench_startup.exe" "$count")")
        empty+=("$(seconds "$bench/bench_empty_window.exe")")
        controls+=("$(seconds "$bench/bench_empty_window_manifest.exe" --list-view)")
    done
    n=$(printf '%s\n' "${norvex[@]}" | median)
    e=$(printf '%s\n' "${empty[@]}" | median)
    c=$(printf '%s\n' "${controls[@]}" | median)
    awk -v p=$((count * 5)) -v n="$n" -v e="$e" -v c="$c" -v r="$runs" 'BEGIN {
        printf "%5d profiles: Norvex %.3f s; empty window %.3f s, ratio %.2f; window with a list view %.3f s, ratio %.2f (medians of %d)\n",
            p, n, e, n / e, c, n / c, r }'
done
