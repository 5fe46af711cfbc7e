#!/usr/bin/env bash
# The deliverables built as users build them against the host's devkit: the
# stand-in host and renderer are installed as a devkit into a fresh prefix,
# the two libraries are built alone against it (MAYA_LOCATION), and they must
# export exactly what the in-tree libraries export and answer the shared probe
# samples byte for byte as those do, loaded into the stand-in host and
# renderer. Runs after the native stage, whose build it uses.
set -euo pipefail
cd "$(dirname "$0")/../.."

native=build/release
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
devkit="$work/devkit"
build="$work/build"

cmake --install "$native" --component devkit --prefix "$devkit"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAYA_LOCATION="$devkit"
cmake --build "$build"

# Only the deliverables (and the model they link) are built against a devkit,
# and nothing of the stand-ins' sources is compiled in or included.
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

exports() {
    nm -D --defined-only "$1" | awk 'NF == 3 { print $3 }' | sort
}
for library in plugSource/vorlane.so shader/zq4v_vorlane.so; do
    if ! diff <(exports "$native/$library") <(exports "$build/$library"); then
        echo "$library built against the devkit exports other symbols than the in-tree one" >&2
        exit 1
    fi
done
cmake -DNM=nm -DLIBRARY="$build/shader/zq4v_vorlane.so" -P tests/shader/check_exports.cmake

samples=tests/tools/samples/shared.jsonl
"$native/tools/vorlane-probe" <"$samples" >"$work/in-tree.jsonl"
"$native/tools/vorlane-probe" --plugin "$build/plugSource/vorlane.so" \
    --shader-library "$build/shader/zq4v_vorlane.so" <"$samples" >"$work/devkit.jsonl"
if ! cmp "$work/in-tree.jsonl" "$work/devkit.jsonl"; then
    diff "$work/in-tree.jsonl" "$work/devkit.jsonl" | head -20 >&2
    exit 1
fi
answers="$(wc -l <"$work/devkit.jsonl")"
if [ "$answers" -ne "$(wc -l <"$samples")" ]; then
    echo "$answers answers to $(wc -l <"$samples") samples" >&2
    exit 1
fi
echo "devkit build: exports and $answers probe answers equal the in-tree build's"
