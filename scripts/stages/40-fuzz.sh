#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a
# bounded time from its committed seed corpus. A crash, a sanitizer report, a
# leak or a slow input fails the stage; libFuzzer leaves the input behind as
# crash-*, leak-* or timeout-* in the work directory printed below. Keep such
# an input in tests/fuzz/regressions/<target>/ once the defect is fixed.
set -euo pipefail
cd "$(dirname "$0")/../.."

scripts/setup.sh libclang-rt-14-dev

seconds="${VORLANE_FUZZ_SECONDS:-20}"
jobs="${VORLANE_JOBS:-2}"
cmake --preset fuzz
cmake --build --preset fuzz -j "${jobs}"

work="build/fuzz/runs"
mkdir -p "${work}"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for target in shader node probe; do
    echo "== fuzzing ${target} for ${seconds} s" >&2
    corpus="${work}/corpus-${target}"
    mkdir -p "${corpus}"
    # New inputs go to the scratch corpus; the committed seeds are only read.
    seeds=("../../../tests/fuzz/corpus/${target}")
    if [ -d "tests/fuzz/regressions/${target}" ]; then
        seeds+=("../../../tests/fuzz/regressions/${target}")
    fi
    # The probe's inputs are text lines; its seeds include one nested deeper
    # (70,000 levels) than a recursive walk of the value survives.
    max_len=4096
    if [ "${target}" = probe ]; then
        max_len=262144
    fi
    (cd "${work}" && "../tests/fuzz/fuzz_${target}" \
        -max_total_time="${seconds}" -timeout=10 -rss_limit_mb=2048 -max_len="${max_len}" \
        -print_final_stats=1 \
        "corpus-${target}" "${seeds[@]}")
done
