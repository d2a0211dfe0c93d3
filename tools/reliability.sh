#!/usr/bin/env bash
# Reliability checks: the native tests built with AddressSanitizer and UndefinedBehaviorSanitizer (the crash-safe
# save test among them), then every fuzz target for a bounded time. Fails on any failed test, crash, leak or
# sanitizer report.
#   tools/reliability.sh [all|sanitizers|fuzz]
#   NORVEX_FUZZ_SECONDS  time per fuzz target (default 30)
#   NORVEX_FUZZ_JOBS     fuzz targets run at once (default: the number of processors)
set -euo pipefail
cd "$(dirname "$0")/.."

mode="${1:-all}"
seconds="${NORVEX_FUZZ_SECONDS:-30}"
jobs="${NORVEX_FUZZ_JOBS:-$(nproc)}"
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

tools/setup.sh

sanitizers() {
    echo "== Native tests with AddressSanitizer and UndefinedBehaviorSanitizer (build/asan)"
    cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNORVEX_TESTS=ON -DNORVEX_BENCHMARKS=OFF \
        -DCMAKE_C_FLAGS="$sanitize -O1" -DCMAKE_CXX_FLAGS="$sanitize -O1" \
        -DCMAKE_EXE_LINKER_FLAGS="$sanitize"
    cmake --build build/asan
    # ASan writes its reports to files, so that one from a child whose output is captured is not lost; everything
    # the tests print is kept in a log and searched for UBSan's reports too.
    local reports="$PWD/build/asan/sanitizer-reports"
    local log="$PWD/build/asan/ctest.log"
    rm -rf "$reports" && mkdir -p "$reports"
    local status=0
    (cd build/asan &&
        ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:check_initialization_order=1:log_path=$reports/asan" \
            UBSAN_OPTIONS="print_stacktrace=1" ctest -V > "$log" 2>&1) || status=$?
    grep -E "^ *[0-9]+/[0-9]+ Test +#|tests passed|Kills survived|Damaged files tried" "$log" || true
    if [ $status -ne 0 ]; then
        tail -n 200 "$log"
        echo "Tests failed (whole output in $log)."
    fi
    if grep -qE "runtime error:|ERROR: (AddressSanitizer|LeakSanitizer)" "$log" || compgen -G "$reports/*" > /dev/null; then
        grep -E -A30 "runtime error:|ERROR: (AddressSanitizer|LeakSanitizer)" "$log" || true
        cat "$reports"/* 2> /dev/null || true
        echo "Sanitizer reports above (whole output in $log)."
        status=1
    fi
    return $status
}

# Runs one fuzz target on a working corpus in the build folder, seeded from fuzz/corpus/<name>.
fuzz_one() {
    local name="$1"
    local binary="build/fuzz/fuzz/fuzz_$name"
    local dict=()
    case "$name" in
    ini_file | load_settings) dict=(-dict=fuzz/settings.dict) ;;
    esac
    mkdir -p "build/fuzz/corpus/$name" "build/fuzz/artifacts"
    "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="build/fuzz/artifacts/$name-" "${dict[@]}" \
        "build/fuzz/corpus/$name" "fuzz/corpus/$name" > "build/fuzz/logs/$name.log" 2>&1
}

fuzz() {
    echo "== Fuzz targets, $seconds s each, $jobs at a time (build/fuzz)"
    CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNORVEX_FUZZ=ON \
        -DNORVEX_TESTS=OFF -DNORVEX_BENCHMARKS=OFF
    cmake --build build/fuzz
    rm -rf build/fuzz/logs && mkdir -p build/fuzz/logs
    local names=()
    for corpus in fuzz/corpus/*/; do
        names+=("$(basename "$corpus")")
    done
    local pids=() status=0
    for name in "${names[@]}"; do
        if [ ! -x "build/fuzz/fuzz/fuzz_$name" ]; then
            echo "Missing fuzz target fuzz_$name for corpus fuzz/corpus/$name"
            status=1
            continue
        fi
        fuzz_one "$name" &
        pids+=($!)
        if [ ${#pids[@]} -ge "$jobs" ]; then
            wait "${pids[0]}" || status=1
            pids=("${pids[@]:1}")
        fi
    done
    for pid in "${pids[@]}"; do
        wait "$pid" || status=1
    done
    for name in "${names[@]}"; do
        local log="build/fuzz/logs/$name.log"
        [ -f "$log" ] || continue
        local runs
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
        if grep -qE "ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:|Property broken|deadly signal" "$log"; then
            echo "fuzz_$name: FAILED (build/fuzz/logs/$name.log, input kept in build/fuzz/artifacts/)"
            tail -n 60 "$log"
            status=1
        else
            printf 'fuzz_%s: %s executions in %s s, no finding\n' "$name" "${runs:-?}" "$seconds"
        fi
    done
    return $status
}

# Each phase says how long it took: CI gives the whole run a time limit.
timed() {
    local start=$SECONDS
    "$@"
    echo "== $1 took $((SECONDS - start)) s"
}

case "$mode" in
all)
    timed sanitizers
    timed fuzz
    ;;
sanitizers) timed sanitizers ;;
fuzz) timed fuzz ;;
*)
    echo "usage: $0 [all|sanitizers|fuzz]" >&2
    exit 2
    ;;
esac
