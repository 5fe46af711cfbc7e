#!/usr/bin/env bash
# The plug-in built for a later host release from the same source: the
# stand-in host and probe built as the 2022 release (MAYA_API_VERSION
# 20220300, VORLANE_HOST_API_VERSION), installed as that release's devkit in
# a fresh prefix, and the plug-in built against it as C++11 with warnings as
# errors, with CMake and with the reference's GCC line with only its -std=
# changed. Each build must export exactly that release's entry points and
# texts, load into that release's stand-in host, be evaluated there in
# parallel, and answer the shared probe samples byte for byte as the API 850
# build does. Runs after the native stage, whose build it uses.
set -euo pipefail
cd "$(dirname "$0")/../.."

native=build/release
later=build/api2022
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
devkit="$work/devkit"
samples=tests/tools/samples/shared.jsonl

# Only the host, the probe and what they need; no tests.
cmake -S . -B "$later" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORLANE_HOST_API_VERSION=20220300 -DVORLANE_DELIVERABLE_CXX_STANDARD=11 \
    -DVORLANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$later" --target vorlane-probe -j "${VORLANE_JOBS:-2}"
cmake --install "$later" --component devkit --prefix "$devkit" >/dev/null
# The version its headers give, which its MApiVersion text and its host's
# (which loads only plug-ins of its own version) follow.
if ! grep -qx '#define MAYA_API_VERSION 20220300' "$devkit/include/maya/MTypes.h"; then
    echo "the 2022 devkit's <maya/MTypes.h> does not give MAYA_API_VERSION 20220300" >&2
    exit 1
fi
"$native/tools/vorlane-probe" <"$samples" >"$work/api850.jsonl"

# check_build NAME PLUGIN: the plug-in exports the 2022 entry points, whose
# names carry the release's namespace, its MApiVersion and signature, and
# nothing else; the 2022 host evaluates it in parallel (--parallel), with the
# API 850 build's answers.
check_build() {
    local name="$1" plugin="$2"
    if ! diff <(nm -D --defined-only "$plugin" | awk 'NF == 3 { print $3 }' | sort) - <<'EOF'; then
ADSK_PLUGIN_SIGNATURE
MApiVersion
_Z16initializePluginN8Autodesk4Maya16OpenMaya202200007MObjectE
_Z18uninitializePluginN8Autodesk4Maya16OpenMaya202200007MObjectE
EOF
        echo "$name: the plug-in exports other symbols than the 2022 release's" >&2
        exit 1
    fi
    "$later/tools/vorlane-probe" --parallel --plugin "$plugin" <"$samples" >"$work/answers.jsonl" ||
        true
    if ! cmp "$work/api850.jsonl" "$work/answers.jsonl"; then
        diff "$work/api850.jsonl" "$work/answers.jsonl" | head -20 >&2
        exit 1
    fi
    echo "$name: 2022 exports, evaluated in parallel, $(wc -l <"$work/answers.jsonl") probe answers equal the API 850 build's"
}

# With CMake, the deliverables alone against the 2022 devkit.
build="$work/cmake"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAYA_LOCATION="$devkit" \
    -DVORLANE_DELIVERABLE_CXX_STANDARD=11 >/dev/null
cmake --build "$build" --target vorlane -j "${VORLANE_JOBS:-2}"
if grep '"command"' "$build/compile_commands.json" | grep -v -e '-std=c++11' >&2; then
    echo "2022 devkit build compiles a deliverable source as other than C++11" >&2
    exit 1
fi
check_build "CMake 2022 devkit build" "$build/plugSource/vorlane.so"

# The reference's GCC line for the plug-in in the 2022 release's form, run
# where the source tree's folders are. It must print no warning (the
# deprecated setMPSafe would be one).
sed -n '/^<!-- gcc-command-2022 -->$/,/^<!-- end gcc-command-2022 -->$/p' docs/reference.md |
    grep -- '-o vorlane.so$' >"$work/command.sh" || true
if [ "$(grep -c -- ' -std=c++11 ' "$work/command.sh")" -ne 1 ]; then
    echo "the reference has no one GCC line for the plug-in with -std=c++11 for 2022" >&2
    exit 1
fi
mkdir "$work/source"
ln -s "$PWD/include" "$PWD/model" "$PWD/plugSource" "$work/source/"
if ! (cd "$work/source" && MAYA_LOCATION="$devkit" bash -eu "$work/command.sh") \
    2>"$work/warnings.txt" || [ -s "$work/warnings.txt" ]; then
    cat "$work/warnings.txt" >&2
    echo "the reference's GCC line with -std=c++11 fails or warns against the 2022 devkit" >&2
    exit 1
fi
check_build "reference's GCC line with -std=c++11" "$work/source/vorlane.so"

# The release archive's build-plugin.sh against the 2022 devkit (this block
# needs only the devkit and check_build above): it must name the release in
# one line, compile as C++11 (the compiler's command is logged), and its
# plug-in must pass check_build.
(cd "$native" && cpack >/dev/null)
version="$(sed -n 's/^#define VORLANE_VERSION "\(.*\)"$/\1/p' include/vorlane/version.h)"
mkdir "$work/unpacked"
tar -xzf "$native/packages/vorlane-$version-linux-x86_64.tar.gz" -C "$work/unpacked"
kit="$work/unpacked/vorlane-$version-linux-x86_64"
cat >"$work/logging-g++" <<'EOF_CXX'
#!/bin/sh
printf 'g++ %s\n' "$*" >>"$LOGGED_COMMANDS"
exec g++ "$@"
EOF_CXX
export LOGGED_COMMANDS="$work/compiler-commands.txt"
chmod +x "$work/logging-g++"
if ! CXX="$work/logging-g++" "$kit/build-plugin.sh" "$devkit" >"$work/output.txt" 2>"$work/warnings.txt" ||
    [ -s "$work/warnings.txt" ]; then
    cat "$work/warnings.txt" >&2
    echo "the archive's build-plugin.sh fails or warns against the 2022 devkit" >&2
    exit 1
fi
if ! grep -qx 'build-plugin.sh: building for API 20220300 (2022) with -std=c++11' "$work/output.txt" ||
    [ "$(grep -c -- ' -std=c++11 ' "$LOGGED_COMMANDS")" -ne 1 ]; then
    cat "$work/output.txt" "$LOGGED_COMMANDS" >&2
    echo "the archive's build-plugin.sh does not say or use C++11 for 2022" >&2
    exit 1
fi
check_build "release archive's build-plugin.sh for 2022" "$kit/plug-ins/vorlane.so"
