#!/usr/bin/env bash
# The deliverables built as users build them against the host's devkit: the
# stand-in host and renderer are installed as a devkit into a fresh prefix,
# and the two libraries are built against it as C++98: with CMake
# (MAYA_LOCATION) by GCC and by Clang, with the reference's GCC command lines
# in the release archive's source/, and with the archive's build-plugin.sh.
# Each build must export exactly what the in-tree libraries export, answer
# the shared probe samples byte for byte as those do, loaded into the
# stand-in host and renderer, and load on the host generation's Linux. Runs
# after the native stage, whose build it uses.
set -euo pipefail
cd "$(dirname "$0")/../.."

native=build/release
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
devkit="$work/devkit"
samples=tests/tools/samples/shared.jsonl

cmake --install "$native" --component devkit --prefix "$devkit"
# The devkit's headers refuse a 64-bit plug-in build that forgets Bits64_,
# whose layouts the host's 64-bit libraries use.
if echo '#include <maya/MFnPlugin.h>' | g++ -std=c++98 -fsyntax-only -x c++ \
    -D_BOOL -DREQUIRE_IOSTREAM -Dlinux -I"$devkit/include" - 2>"$work/no-bits64.txt" ||
    ! grep -q 'define Bits64_' "$work/no-bits64.txt"; then
    cat "$work/no-bits64.txt" >&2
    echo "the devkit's headers take a 64-bit build without Bits64_" >&2
    exit 1
fi
"$native/tools/vorlane-probe" <"$samples" >"$work/in-tree.jsonl"

exports() {
    nm -D --defined-only "$1" | awk 'NF == 3 { print $3 }' | sort
}

# check_build NAME PLUGIN SHADER_LIBRARY: the exports and the probe answers
# of a plug-in and a shader library built against the devkit.
check_build() {
    local name="$1" plugin="$2" shader="$3"
    if ! diff <(exports "$native/plugSource/vorlane.so") <(exports "$plugin") ||
        ! diff <(exports "$native/shader/zq4v_vorlane.so") <(exports "$shader"); then
        echo "$name: the libraries export other symbols than the in-tree ones" >&2
        exit 1
    fi
    cmake -DNM=nm -DLIBRARY="$shader" -P tests/shader/check_exports.cmake
    tests/support/check_linux_floor.sh "$plugin" "$shader"
    # The stand-in renderer hands the Linux library no module, as the Linux
    # renderer does: it must find the services in the process, silently.
    "$native/tools/vorlane-probe" --plugin "$plugin" --shader-library "$shader" \
        <"$samples" >"$work/answers.jsonl" 2>"$work/probe-errors.txt"
    if [ -s "$work/probe-errors.txt" ]; then
        head -20 "$work/probe-errors.txt" >&2
        echo "$name: the libraries print on the standard error stream" >&2
        exit 1
    fi
    if ! cmp "$work/in-tree.jsonl" "$work/answers.jsonl"; then
        diff "$work/in-tree.jsonl" "$work/answers.jsonl" | head -20 >&2
        exit 1
    fi
    local answers
    answers="$(wc -l <"$work/answers.jsonl")"
    if [ "$answers" -ne "$(wc -l <"$samples")" ]; then
        echo "$name: $answers answers to $(wc -l <"$samples") samples" >&2
        exit 1
    fi
    echo "$name: exports and $answers probe answers equal the in-tree build's"
}

# With CMake. Only the deliverables (and the model they link) are built,
# nothing of the stand-ins' sources is compiled in or included, and every
# deliverable source is compiled as C++98.
build="$work/cmake"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAYA_LOCATION="$devkit"
cmake --build "$build"
built="$(find "$build" -path '*/CMakeFiles' -prune -o -type f \
    \( -name '*.so' -o -name '*.a' -o -perm -u+x \) -print | sed "s|^$build/||" | sort | xargs)"
expected="model/libvorlane_model.a plugSource/vorlane.so shader/zq4v_vorlane.so"
if [ "$built" != "$expected" ]; then
    echo "devkit build made '$built', expected '$expected'" >&2
    exit 1
fi
if grep -E "$PWD/(host|renderer)/" "$build/compile_commands.json" >&2; then
    echo "devkit build reads the stand-ins' sources" >&2
    exit 1
fi
if grep '"command"' "$build/compile_commands.json" | grep -v -e '-std=c++98' >&2; then
    echo "devkit build compiles a deliverable source as other than C++98" >&2
    exit 1
fi
check_build "CMake devkit build" "$build/plugSource/vorlane.so" "$build/shader/zq4v_vorlane.so"
# Its install is the same kit as the in-tree build's, documentation included,
# with the plug-in built against the devkit in the module's plug-ins/, which
# the in-tree build, made against the stand-in SDK, leaves out of its kit.
installed() {
    cmake --install "$1" --prefix "$work/kit-$2" >/dev/null
    (cd "$work/kit-$2" && find . -type f | sort)
}
if ! diff <({ installed "$native" in-tree; echo ./plug-ins/vorlane.so; } | sort) \
    <(installed "$build" devkit) >&2; then
    echo "the devkit build installs another kit than the in-tree build" >&2
    exit 1
fi

# The release archive, as users get it: the in-tree kit without its module
# description, with its checksum. It is unpacked into a folder whose path
# holds a space, '&', '|' and '\', which install.sh must write into the
# module description as they are.
(cd "$native" && cpack >/dev/null)
version="$(sed -n 's/^#define VORLANE_VERSION "\(.*\)"$/\1/p' include/vorlane/version.h)"
archive="vorlane-$version-linux-x86_64"
(cd "$native/packages" && sha256sum --quiet -c "$archive.tar.gz.sha256")
unpacked="$work/unpacked & archive | a\b"
mkdir "$unpacked"
# Unpacked from inside: tar would read the '\' of a -C path as an escape.
(cd "$unpacked" && tar -xzf "$OLDPWD/$native/packages/$archive.tar.gz")
kit="$unpacked/$archive"
if ! diff <(installed "$native" in-tree | grep -vx ./vorlane.mod) \
    <(cd "$kit" && find . -type f | sort) >&2; then
    echo "the release archive holds other files than the kit" >&2
    exit 1
fi
if grep -rlaF -e "$PWD" -e "$(realpath "$native")" "$kit" >&2; then
    echo "the release archive holds a path of the build machine" >&2
    exit 1
fi
"$kit/install.sh" >/dev/null
if [ "$(cat "$kit/vorlane.mod")" != "+ vorlane $version $kit" ]; then
    echo "install.sh wrote '$(cat "$kit/vorlane.mod")' for $kit" >&2
    exit 1
fi

# From a compiler prompt: the reference's GCC lines, exactly as written, run
# in the archive's source/. They must build both libraries without a warning.
sed -n '/^<!-- gcc-commands -->$/,/^<!-- end gcc-commands -->$/p' docs/reference.md |
    sed -e '/^<!--/d' -e '/^```/d' >"$work/commands.sh"
if [ "$(grep -c '^g++ ' "$work/commands.sh")" -ne 2 ]; then
    echo "the reference's GCC commands are not two g++ lines:" >&2
    cat "$work/commands.sh" >&2
    exit 1
fi
if ! (cd "$kit/source" && MAYA_LOCATION="$devkit" bash -eu "$work/commands.sh") \
    2>"$work/warnings.txt"; then
    cat "$work/warnings.txt" >&2
    echo "the reference's GCC commands fail in the archive's source/" >&2
    exit 1
fi
if [ -s "$work/warnings.txt" ]; then
    cat "$work/warnings.txt" >&2
    echo "the reference's GCC commands print warnings" >&2
    exit 1
fi
check_build "reference's GCC commands in the archive's source/" \
    "$kit/source/vorlane.so" "$kit/source/zq4v_vorlane.so"

# The archive's build-plugin.sh. It refuses a folder without a devkit and a
# release it does not know (2016's, here), building nothing; it names the
# release in one line and compiles for it (the compiler's command is logged);
# its plug-in, beside the archive's shader library, must pass check_build; and
# a build that fails part-way leaves that plug-in as it was.
kit_script="$kit/build-plugin.sh"
cp -R "$devkit" "$work/devkit-2016"
sed -i 's/^#define MAYA_API_VERSION .*/#define MAYA_API_VERSION 201600/' \
    "$work/devkit-2016/include/maya/MTypes.h"
for refused in "$work" "$work/devkit-2016"; do
    if "$kit_script" "$refused" >/dev/null 2>"$work/refusal.txt"; then
        echo "the archive's build-plugin.sh builds against $refused" >&2
        exit 1
    elif [ ! -s "$work/refusal.txt" ] || [ -e "$kit/plug-ins/vorlane.so" ]; then
        echo "the archive's build-plugin.sh refuses $refused without a message, or leaves a plug-in" >&2
        exit 1
    fi
done
tests/support/check_kit_build.sh "$kit_script" "$devkit" "$work" \
    'build-plugin.sh: building for API 850 with -std=c++98' c++98
check_build "release archive's build-plugin.sh" "$kit/plug-ins/vorlane.so" "$kit/shaders/zq4v_vorlane.so"
cp "$kit/plug-ins/vorlane.so" "$work/built.so"
(cd "$kit" && find . | sort) >"$work/kit-before.txt"
if FAIL_AFTER_OUTPUT=1 LOGGED_COMMANDS=/dev/null CXX="$PWD/tests/support/logging_gxx.sh" \
    "$kit_script" "$devkit" >/dev/null 2>&1 ||
    ! (cd "$kit" && find . | sort) | diff "$work/kit-before.txt" - >&2 ||
    ! cmp -s "$work/built.so" "$kit/plug-ins/vorlane.so"; then
    echo "a failed build of the archive's build-plugin.sh leaves the kit changed" >&2
    exit 1
fi

# With CMake and Clang: the CMake build above made by clang++, checked as the
# GCC one is. The native stage compiles the deliverables with Clang in-tree
# only; this build loads them, so their exports and answers are compared too.
clang_devkit_build() {
    local build="$work/cmake-clang"
    cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAYA_LOCATION="$devkit" >/dev/null
    cmake --build "$build" -j "${VORLANE_JOBS:-2}"
    if ! grep -q 'set(CMAKE_CXX_COMPILER_ID "Clang")' "$build"/CMakeFiles/*/CMakeCXXCompiler.cmake; then
        echo "Clang devkit build: the compiler is not Clang" >&2
        exit 1
    fi
    if grep '"command"' "$build/compile_commands.json" | grep -v -e '-std=c++98' >&2; then
        echo "Clang devkit build compiles a deliverable source as other than C++98" >&2
        exit 1
    fi
    check_build "CMake and Clang devkit build" "$build/plugSource/vorlane.so" \
        "$build/shader/zq4v_vorlane.so"
}
clang_devkit_build
