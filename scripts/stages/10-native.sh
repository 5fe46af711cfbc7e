#!/usr/bin/env bash
# The native build and its whole test suite.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset release
cmake --build --preset release
ctest --preset release
