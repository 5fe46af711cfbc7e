#!/usr/bin/env bash
# The native build and its whole test suite, then the deliverables compiled by
# Clang as well (C++98, pedantic, warnings as errors), as the suite's GCC
# build compiles them. Both builds' libraries must load on the host
# generation's Linux (glibc 2.3.4, GCC 4.1.2's C++ runtime).
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset release
cmake --build --preset release
ctest --preset release

cmake -S . -B build/clang-deliverables -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAYA_LOCATION= \
    -DVORLANE_BUILD_TESTS=OFF -DVORLANE_BUILD_TOOLS=OFF -DVORLANE_DELIVERABLE_CXX_STANDARD=98
cmake --build build/clang-deliverables --target vorlane zq4v_vorlane
tests/support/check_linux_floor.sh build/release/plugSource/vorlane.so \
    build/release/shader/zq4v_vorlane.so build/clang-deliverables/plugSource/vorlane.so \
    build/clang-deliverables/shader/zq4v_vorlane.so
