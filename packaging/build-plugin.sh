#!/bin/sh
# Builds the vorlane plug-in from the sources in source/ against the devkit of
# an installed host, and writes it to plug-ins/vorlane.so beside this script,
# where the module file (written by install.sh) leads the host.
#
# The host loads only plug-ins built with its own compiler: GCC 4.1.2 for the
# hosts of API version 850's generation. CXX names the compiler (default g++).
set -e

usage="usage: build-plugin.sh [MAYA_LOCATION]"
case "${1-}" in
-h | --help)
    echo "$usage"
    echo "Builds plug-ins/vorlane.so against the host installed at MAYA_LOCATION (the"
    echo "argument, or else the environment variable), which holds include/maya/ and"
    echo "lib/ with the OpenMaya and Foundation libraries. CXX names the compiler."
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
if [ ! -f "$location/include/maya/MFnPlugin.h" ]; then
    echo "build-plugin.sh: $location has no include/maya/MFnPlugin.h: not a host with its devkit" >&2
    exit 1
fi
location="$(cd "$location" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$here/plug-ins"
cd "$here/source"

# The macros the host's headers test (Bits64_ selects its 64-bit layouts);
# hidden visibility, so that only the entry points and the version text,
# which the sources mark, are exported; no unresolved symbol.
${CXX:-g++} -std=c++98 -Wall -Wextra -O2 -fPIC -shared -fno-fast-math \
    -fvisibility=hidden -fvisibility-inlines-hidden \
    -D_BOOL -DREQUIRE_IOSTREAM -Dlinux -DBits64_ \
    -Iinclude -Imodel/include -I"$location/include" plugSource/*.cpp model/src/*.cpp \
    -L"$location/lib" -lOpenMaya -lFoundation -Wl,--no-undefined \
    -o "$here/plug-ins/vorlane.so"
echo "build-plugin.sh: wrote $here/plug-ins/vorlane.so"
