#!/usr/bin/env bash
# Sets up a fresh machine, builds the deliverables and both tools (the preview
# renderer and the probe) in build/release, and renders the preset gallery
# through both deliverables. Extra arguments go to vorlane-render (default
# output: gallery.png in the current directory).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

"$root/scripts/setup.sh"

# Runs a build command in the source tree with its output kept aside, and
# shows that output only when the command fails: Ninja writes the compiler's
# errors to standard output, among its progress lines, which are left out.
quietly() {
    local log
    log="$(mktemp)"
    if ! (cd "$root" && "$@") >"$log" 2>&1; then
        grep -Ev '^\[[0-9]+/[0-9]+\] ' "$log" >&2 || true
        rm -f "$log"
        echo "The build failed. To see its whole output again, run in $root:" >&2
        echo "    $*" >&2
        exit 1
    fi
    rm -f "$log"
}

if [ -f "$root/build/release/build.ninja" ]; then
    echo "Building in build/release" >&2
else
    echo "Configuring and building in build/release (a first build takes minutes)" >&2
fi
quietly cmake --preset release
quietly cmake --build --preset release --target vorlane-render vorlane-probe vorlane zq4v_vorlane
exec "$root/build/release/tools/vorlane-render" "$@"
