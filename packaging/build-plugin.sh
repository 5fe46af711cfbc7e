#!/bin/sh
# Builds the vorlane plug-in from the sources in source/ against the devkit of
# an installed host, for the release that devkit is of, and writes it to
# plug-ins/vorlane.so beside this script, where the module file (written by
# install.sh) leads the host.
#
# The release is the MAYA_API_VERSION that the devkit's <maya/MTypes.h>
# defines. The host loads only plug-ins built with its own compiler, at that
# compiler's language level: C++98 (GCC 4.1.2) for API 850 and the 2008 to
# 2013 releases, C++11 for 2022, whose headers need it. Other releases are
# refused: their compilers are not known here. CXX names the compiler
# (default g++).
#
# Exit status: 0 built; 1 not a devkit, a release this script does not know,
# or a failed build; 2 misuse. A refusal or a failed build leaves plug-ins/
# as it was.
set -e

usage="usage: build-plugin.sh [MAYA_LOCATION]"
case "${1-}" in
-h | --help)
    echo "$usage"
    echo "Builds plug-ins/vorlane.so against the host installed at MAYA_LOCATION (the"
    echo "argument, or else the environment variable), which holds include/maya/ and"
    echo "lib/ with the OpenMaya and Foundation libraries, for the release its"
    echo "include/maya/MTypes.h names: API 850 and 2008 to 2013 as C++98, 2022 as"
    echo "C++11. CXX names the compiler."
    exit 0
    ;;
-*)
    echo "build-plugin.sh: unknown option $1" >&2
    echo "$usage" >&2
    exit 2
    ;;
esac
if [ $# -gt 1 ]; then
    echo "$usage" >&2
    exit 2
fi

location="${1:-${MAYA_LOCATION-}}"
if [ -z "$location" ]; then
    echo "build-plugin.sh: no host given: set MAYA_LOCATION or name the host's folder" >&2
    exit 2
fi
if [ ! -f "$location/include/maya/MTypes.h" ]; then
    echo "build-plugin.sh: $location has no include/maya/MTypes.h: not a host with its devkit" >&2
    exit 1
fi
location="$(cd "$location" && pwd)"
api="$(sed -n 's/^[[:space:]]*#[[:space:]]*define[[:space:]][[:space:]]*MAYA_API_VERSION[[:space:]][[:space:]]*\([0-9][0-9]*\).*/\1/p' \
    "$location/include/maya/MTypes.h" | head -n 1)"
if [ -z "$api" ]; then
    echo "build-plugin.sh: $location/include/maya/MTypes.h defines no MAYA_API_VERSION: not a host's devkit" >&2
    exit 1
fi

# The language level of the compiler each known release requires.
case "$api" in
850)
    release="API 850"
    std=c++98
    ;;
2008[0-9][0-9] | 2009[0-9][0-9] | 2010[0-9][0-9] | 2011[0-9][0-9] | 2012[0-9][0-9] | 2013[0-9][0-9])
    release="API $api (${api%??})"
    std=c++98
    ;;
2022[0-9][0-9][0-9][0-9])
    release="API $api (2022)"
    std=c++11
    ;;
*)
    echo "build-plugin.sh: the devkit at $location is of API $api, a release this script does not know:" \
        "it builds for API 850 and 2008 to 2013 (C++98, GCC 4.1.2) and 2022 (C++11)" >&2
    exit 1
    ;;
esac
echo "build-plugin.sh: building for $release with -std=$std"

here="$(cd "$(dirname "$0")" && pwd)"
# Built in a folder of its own, and moved into place only when complete.
staging="$(mktemp -d "$here/.build.XXXXXX")"
trap 'rm -rf "$staging"' EXIT
cd "$here/source"

# The macros the host's headers test (Bits64_ selects API 850's 64-bit
# layouts, and is harmless where later headers follow the compiler's own);
# hidden visibility, so that only the entry points and the version texts,
# which the sources mark, are exported; no unresolved symbol.
${CXX:-g++} -std=$std -Wall -Wextra -O2 -fPIC -shared -fno-fast-math \
    -fvisibility=hidden -fvisibility-inlines-hidden \
    -D_BOOL -DREQUIRE_IOSTREAM -Dlinux -DBits64_ \
    -Iinclude -Imodel/include -I"$location/include" plugSource/*.cpp model/src/*.cpp \
    -L"$location/lib" -lOpenMaya -lFoundation -Wl,--no-undefined \
    -o "$staging/vorlane.so" || {
    echo "build-plugin.sh: the build failed; plug-ins/ is as it was" >&2
    exit 1
}
mkdir -p "$here/plug-ins"
mv -f "$staging/vorlane.so" "$here/plug-ins/vorlane.so"
echo "build-plugin.sh: wrote $here/plug-ins/vorlane.so"
