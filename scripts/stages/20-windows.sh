#!/usr/bin/env bash
# The 64-bit Windows cross-build (MinGW-w64) and its tests, run under Wine in
# a throw-away prefix, then the Windows deliverables built against the
# stand-ins' devkit. Runs after the native stage: the probe comparison needs
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
devkit="$(mktemp -d)"
# Keep the Wine server up for the whole stage: every test program reuses it.
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX" "$devkit"
}
trap cleanup EXIT
wine wineboot -i >/dev/null 2>&1
wineserver -p >/dev/null 2>&1 || true

cmake --preset windows
cmake --build --preset windows
ctest --preset windows

# The Windows deliverables built as C++98 against the stand-ins installed as a
# devkit, as the devkit stage does natively: the exports the in-tree checks require,
# and the same answers to the shared probe samples as the in-tree libraries.
cmake --install build/windows --component devkit --prefix "$devkit/sdk"
cmake -S . -B "$devkit/build" -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DMAYA_LOCATION="$devkit/sdk"
cmake --build "$devkit/build"
if grep '"command"' "$devkit/build/compile_commands.json" | grep -v -e '-std=c++98' >&2; then
    echo "Windows devkit build compiles a deliverable source as other than C++98" >&2
    exit 1
fi
check_library() {
    cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DLIBRARY="$1" -DEXPORTS="$2" "${@:3}" \
        -P tests/support/check_windows_library.cmake
}
check_library "$devkit/build/bin/vorlane.mll" initializePlugin,uninitializePlugin,MApiVersion \
    -DREQUIRED_IMPORTS=OpenMaya.dll,Foundation.dll
check_library "$devkit/build/bin/zq4v_vorlane.dll" zq4v_vorlane,zq4v_vorlane_version,miSetModuleHandle \
    -DFORBIDDEN_IMPORTS=^vorlane_renderer
probe=build/windows/bin/vorlane-probe.exe
samples=tests/tools/samples/shared.jsonl
wine "$probe" <"$samples" >"$devkit/in-tree.jsonl"
wine "$probe" --plugin "$devkit/build/bin/vorlane.mll" \
    --shader-library "$devkit/build/bin/zq4v_vorlane.dll" <"$samples" >"$devkit/devkit.jsonl"
cmp "$devkit/in-tree.jsonl" "$devkit/devkit.jsonl"
[ "$(wc -l <"$devkit/devkit.jsonl")" -eq "$(wc -l <"$samples")" ]
echo "Windows devkit build: exports and probe answers equal the in-tree build's"

# The 2022 release for Windows: the host, probe and plug-in cross-built as
# that release (the plug-in as C++11), no tests. The plug-in exports the
# plain entry-point names the host looks up beside the C++ names the header
# marks for export, loads into that release's host under Wine, is evaluated
# there in parallel and answers as the API 850 build does.
later=build/windows-api2022
cmake -S . -B "$later" -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DMAYA_LOCATION= -DVORLANE_HOST_API_VERSION=20220300 \
    -DVORLANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$later" --target vorlane vorlane-probe -j "${VORLANE_JOBS:-2}"
check_library "$later/bin/vorlane.mll" ADSK_PLUGIN_SIGNATURE,MApiVersion,initializePlugin,uninitializePlugin,_Z16initializePluginN8Autodesk4Maya16OpenMaya202200007MObjectE,_Z18uninitializePluginN8Autodesk4Maya16OpenMaya202200007MObjectE \
    -DREQUIRED_IMPORTS=OpenMaya.dll,Foundation.dll
wine "$later/bin/vorlane-probe.exe" --parallel <"$samples" >"$devkit/api2022.jsonl" || true
if ! cmp "$devkit/in-tree.jsonl" "$devkit/api2022.jsonl"; then
    diff "$devkit/in-tree.jsonl" "$devkit/api2022.jsonl" | head -20 >&2
    exit 1
fi
echo "Windows 2022 build: its exports, evaluated in parallel, probe answers equal the API 850 build's"

# The Windows release archive: the cross build's kit, with its checksum and
# without a module description, which a cross build cannot write for a place
# it does not know. Unpacked into a folder whose path holds a space, '&' and
# parentheses, its install.bat, run by Wine's cmd, writes the description
# naming that folder.
(cd build/windows && cpack >/dev/null)
version="$(sed -n 's/^#define VORLANE_VERSION "\(.*\)"$/\1/p' include/vorlane/version.h)"
archive="vorlane-$version-windows-x64"
(cd build/windows/packages && sha256sum --quiet -c "$archive.zip.sha256")
unpacked="$devkit/unpacked & archive (x64)"
mkdir "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$OLDPWD/build/windows/packages/$archive.zip")
kit="$unpacked/$archive"
cmake --install build/windows --prefix "$devkit/kit" >/dev/null
if ! diff <(cd "$devkit/kit" && find . -type f | sort) <(cd "$kit" && find . -type f | sort) >&2; then
    echo "the Windows release archive holds other files than the kit" >&2
    exit 1
fi
if grep -rlaF -e "$PWD" "$kit" >&2; then
    echo "the Windows release archive holds a path of the build machine" >&2
    exit 1
fi
check_library "$kit/shaders/zq4v_vorlane.dll" zq4v_vorlane,zq4v_vorlane_version,miSetModuleHandle \
    -DFORBIDDEN_IMPORTS=^vorlane_renderer
# Run from its folder, as from a prompt there: cmd /c strips the quotes
# around a command path that holds '&' or parentheses.
(cd "$kit" && wine cmd /c install.bat >/dev/null)
written="$(tr -d '\r' <"$kit/vorlane.mod")"
if [ "$written" != "+ vorlane $version $(winepath -w "$kit")" ]; then
    echo "install.bat wrote '$written' for $kit" >&2
    exit 1
fi
echo "Windows release archive: the kit, and install.bat writes its module description"
