#!/usr/bin/env bash
# Sets up a fresh machine, builds everything and runs the whole test suite:
# every stage in scripts/stages, in order. Any failure stops the run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
stages=(scripts/stages/*.sh)
for stage in "${stages[@]}"; do
    echo "== ${stage##*/}" >&2
    "$stage"
done
echo "stages: ${#stages[@]} passed, 0 failed"
