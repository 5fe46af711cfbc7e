#!/usr/bin/env bash
# Sets up a fresh machine, builds the deliverables and both tools (the preview
# renderer and the probe) in build/release, and renders the preset gallery
# through both deliverables. Extra arguments go to vorlane-render (default
# output: gallery.png in the current directory).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

"$root/scripts/setup.sh"
(
    cd "$root"
    cmake --preset release >/dev/null
    cmake --build --preset release --target vorlane-render vorlane-probe vorlane zq4v_vorlane >/dev/null
)
exec "$root/build/release/tools/vorlane-render" "$@"
