#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and any more
# named as arguments, when any is missing. Needs root (or sudo) only when
# something has to be installed.
set -euo pipefail

packages=("$@"
    cmake ninja-build g++ clang
    libgtest-dev libgmock-dev libbenchmark-dev
    libpng-dev nlohmann-json3-dev libcli11-dev
    libfreetype-dev fonts-dejavu-core libopenexr-dev libplplot-dev plplot-driver-cairo
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "setup: installing ${missing[*]}" >&2
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null; then
    sudo=(sudo)
else
    echo "setup: missing packages (${missing[*]}) and not root; install them and retry" >&2
    exit 1
fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
