#!/usr/bin/env bash
# The 64-bit Windows cross-build (MinGW-w64) and its tests, run under Wine in
# a throw-away prefix. Runs after the native stage: the probe comparison needs
# the native vorlane-probe.
set -euo pipefail
cd "$(dirname "$0")/../.."

scripts/setup.sh g++-mingw-w64-x86-64 wine wine64 googletest

export WINEDEBUG=-all
# No .NET or HTML engine: the tests need neither, and Wine would offer to
# download them when the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
WINEPREFIX="$(mktemp -d)"
export WINEPREFIX
# Keep the Wine server up for the whole stage: every test program reuses it.
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
wine wineboot -i >/dev/null 2>&1
wineserver -p >/dev/null 2>&1 || true

cmake --preset windows
cmake --build --preset windows
ctest --preset windows
