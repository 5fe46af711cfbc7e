#!/usr/bin/env bash
# check_kit_build.sh SCRIPT DEVKIT WORK LINE STD: runs the kit's
# build-plugin.sh SCRIPT against DEVKIT with a compiler that logs its command
# lines (in WORK), and fails unless the script builds without a warning, says
# LINE, and compiles once with -std=STD.
set -euo pipefail
script="$1" devkit="$2" work="$3" line="$4" std="$5"

export LOGGED_COMMANDS="$work/compiler-commands.txt"
rm -f "$LOGGED_COMMANDS"
compiler="$(cd "$(dirname "$0")" && pwd)/logging_gxx.sh"
if ! CXX="$compiler" "$script" "$devkit" >"$work/output.txt" 2>"$work/warnings.txt" ||
    [ -s "$work/warnings.txt" ]; then
    cat "$work/warnings.txt" >&2
    echo "$script fails or warns against $devkit" >&2
    exit 1
fi
if ! grep -qxF "$line" "$work/output.txt" ||
    [ "$(grep -c -- " -std=$std " "$LOGGED_COMMANDS")" -ne 1 ]; then
    cat "$work/output.txt" "$LOGGED_COMMANDS" >&2
    echo "$script does not say '$line' or compile with -std=$std" >&2
    exit 1
fi
