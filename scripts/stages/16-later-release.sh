#!/usr/bin/env bash
# The plug-in built for later host releases from the same source. The 2022
# release (MAYA_API_VERSION 20220300, VORLANE_HOST_API_VERSION): the stand-ins,
# tools and the whole test suite built as that release, the deliverables as
# C++11, and the suite run; that release's devkit installed in a fresh prefix
# and the plug-in built against it with warnings as errors, with CMake, with
# the reference's GCC line for 2022 and with the release archive's
# build-plugin.sh. The 2016 and 2017 releases: the host, probe and plug-in
# built as each. Each plug-in must export exactly its release's entry points
# and texts, load into that release's stand-in host, be evaluated there in
# parallel, and answer the shared probe samples byte for byte as the API 850
# build does. Runs after the native stage, whose build it uses.
set -euo pipefail
cd "$(dirname "$0")/../.."

native=build/release
later=build/api2022
jobs="${VORLANE_JOBS:-2}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
devkit="$work/devkit"
samples=tests/tools/samples/shared.jsonl

# The stand-in takes only the releases it reproduces, and names them.
if cmake -S . -B "$work/refused" -DVORLANE_HOST_API_VERSION=201800 >"$work/refused.txt" 2>&1 ||
    ! grep -q '850, 201600, 201700, 20220300' "$work/refused.txt"; then
    cat "$work/refused.txt" >&2
    echo "a configure for API version 201800 is not refused with the accepted releases named" >&2
    exit 1
fi

cmake -S . -B "$later" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORLANE_HOST_API_VERSION=20220300 >/dev/null
cmake --build "$later" -j "$jobs"
ctest --test-dir "$later" --output-on-failure --timeout 600
cmake --install "$later" --component devkit --prefix "$devkit" >/dev/null
# The version its headers give, which its MApiVersion text and its host's
# (which loads only plug-ins of its own version) follow.
if ! grep -qx '#define MAYA_API_VERSION 20220300' "$devkit/include/maya/MTypes.h"; then
    echo "the 2022 devkit's <maya/MTypes.h> does not give MAYA_API_VERSION 20220300" >&2
    exit 1
fi
# Its headers refuse C++98, as the release's own do.
if echo '#include <maya/MFnPlugin.h>' |
    g++ -std=c++98 -fsyntax-only -D_BOOL -DREQUIRE_IOSTREAM -Dlinux -DBits64_ \
        -I"$devkit/include" -x c++ - 2>"$work/cxx98.txt" ||
    ! grep -q 'need C++11' "$work/cxx98.txt"; then
    cat "$work/cxx98.txt" >&2
    echo "the 2022 devkit's headers take a C++98 build" >&2
    exit 1
fi
"$native/tools/vorlane-probe" <"$samples" >"$work/api850.jsonl"

# compare_answers NAME PROBE PLUGIN: PROBE's host evaluates PLUGIN in parallel
# (--parallel: a node its release does not evaluate in parallel answers each
# sample with an error) with the API 850 build's answers.
compare_answers() {
    local name="$1" probe="$2" plugin="$3"
    "$probe" --parallel --plugin "$plugin" <"$samples" >"$work/answers.jsonl" || true
    if ! cmp "$work/api850.jsonl" "$work/answers.jsonl"; then
        diff "$work/api850.jsonl" "$work/answers.jsonl" | head -20 >&2
        exit 1
    fi
    echo "$name: evaluated in parallel, $(wc -l <"$work/answers.jsonl") probe answers equal the API 850 build's"
}

# The 2016 and 2017 releases: no namespace yet, so the entry points keep the
# API 850 names. Only the host, the probe and the plug-in; no tests.
for release in 201600 201700; do
    build="build/api$release"
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVORLANE_HOST_API_VERSION=$release -DVORLANE_BUILD_TESTS=OFF >/dev/null
    cmake --build "$build" --target vorlane vorlane-probe -j "$jobs"
    if ! diff <(nm -D --defined-only "$build/plugSource/vorlane.so" | awk 'NF == 3 { print $3 }' |
        sort) - <<'EOF'; then
MApiVersion
_Z16initializePlugin7MObject
_Z18uninitializePlugin7MObject
EOF
        echo "API $release: the plug-in exports other symbols than its release's" >&2
        exit 1
    fi
    compare_answers "API $release build" "$build/tools/vorlane-probe" "$build/plugSource/vorlane.so"
done

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
    compare_answers "$name (2022 exports)" "$later/tools/vorlane-probe" "$plugin"
}

# With CMake, the deliverables alone against the 2022 devkit, at the
# language level the build takes from the devkit's release.
build="$work/cmake"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAYA_LOCATION="$devkit" >/dev/null
cmake --build "$build" --target vorlane -j "$jobs"
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
tests/support/check_kit_build.sh "$kit/build-plugin.sh" "$devkit" "$work" \
    'build-plugin.sh: building for API 20220300 (2022) with -std=c++11' c++11
check_build "release archive's build-plugin.sh for 2022" "$kit/plug-ins/vorlane.so"
