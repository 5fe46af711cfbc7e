#!/usr/bin/env bash
# The whole test suite under AddressSanitizer with UndefinedBehaviorSanitizer,
# then under ThreadSanitizer. Any finding fails the test that met it, and so
# the stage. The tools' image libraries are not needed for either.
set -euo pipefail
cd "$(dirname "$0")/../.."

jobs="${VORLANE_JOBS:-2}"
for preset in asan tsan; do
    echo "== sanitizer preset ${preset}" >&2
    cmake --preset "${preset}"
    cmake --build --preset "${preset}" -j "${jobs}"
    ctest --preset "${preset}" -j "${jobs}"
done
