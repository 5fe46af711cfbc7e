#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a
# bounded time from its committed seed corpus. Each run's output goes to
# <target>.log in the work directory below: the shader target's renderer
# lacks services on purpose, and the shader reports each failed lookup, some
# hundreds of thousands of lines a run. A run that passes prints two lines.
# A crash, a sanitizer report, a leak or a slow input fails the stage and
# prints the run's log in full but for those reports; libFuzzer leaves the
# input behind as crash-*, leak-* or timeout-* in the work directory. Keep
# such an input in tests/fuzz/regressions/<target>/ once the defect is fixed.
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
# The two lines the shader writes each time it looks up a renderer service
# that the module the fuzz target hands it does not offer (on Linux only the
# second).
service_reports='^(DYNLOAD: dl_handle null|dlsym failed on "[^"]*" \(handle: [0-9a-f]{8} error: -?[0-9]+\))$'
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
    log="${work}/${target}.log"
    status=0
    (cd "${work}" && "../tests/fuzz/fuzz_${target}" \
        -max_total_time="${seconds}" -timeout=10 -rss_limit_mb=2048 -max_len="${max_len}" \
        -print_final_stats=1 \
        "corpus-${target}" "${seeds[@]}") >"${log}" 2>&1 || status=$?
    if [ "${status}" -ne 0 ]; then
        echo "fuzz_${target} failed (exit status ${status}); its log but for the shader's" \
            "reports of missing renderer services (all of it: ${log}):" >&2
        grep -v -E "${service_reports}" "${log}" >&2 || true
        exit 1
    fi
    echo "fuzz_${target}: no finding (log: ${log})" >&2
    grep -E '^(Done [0-9]+ runs|stat::peak_rss_mb)' "${log}" >&2 || true
done
