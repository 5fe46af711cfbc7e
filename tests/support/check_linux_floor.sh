#!/usr/bin/env bash
# Checks that Linux libraries load on the host generation's systems (64-bit
# enterprise Linux with glibc 2.3.4, and GCC 4.1.2's C++ runtime), as a wheel
# audit checks a Python package: every symbol version a library needs is at
# most GLIBC_2.3.4, GLIBCXX_3.4.8, CXXABI_1.3.1 or GCC_4.2.0, and every
# library it names as NEEDED is one such a system has. Names each symbol
# above the floor and fails.
#
# Usage: check_linux_floor.sh LIBRARY...
set -euo pipefail

if [ $# -eq 0 ]; then
    echo "usage: $0 LIBRARY..." >&2
    exit 2
fi

# The host's own libraries, the C and C++ runtimes, the dynamic loader, and
# libdl, where dlsym lived before glibc 2.34.
allowed_needed=" libOpenMaya.so libFoundation.so libstdc++.so.6 libm.so.6 libgcc_s.so.1 libc.so.6 ld-linux-x86-64.so.2 libdl.so.2 "

# floor VERSION: the highest version of VERSION's family that the systems
# have, or nothing for an unknown family.
floor() {
    case "$1" in
    GLIBC_*) echo GLIBC_2.3.4 ;;
    GLIBCXX_*) echo GLIBCXX_3.4.8 ;;
    CXXABI_*) echo CXXABI_1.3.1 ;;
    GCC_*) echo GCC_4.2.0 ;;
    esac
}

# above VERSION FLOOR: whether VERSION is newer than FLOOR (same family).
above() {
    [ "$1" != "$2" ] && [ "$(printf '%s\n%s\n' "$1" "$2" | sort -V | tail -n 1)" = "$1" ]
}

failed=0
for library in "$@"; do
    if [ ! -f "$library" ]; then
        echo "$library: no such library" >&2
        failed=1
        continue
    fi
    # The version needs: one "FILE VERSION" line each.
    needs="$(readelf -V -W "$library" | awk '
        /^Version needs section/ { inside = 1; next }
        /^Version [a-z]+ section/ { inside = 0 }
        inside && /File:/ { for (i = 1; i < NF; i++) if ($i == "File:") file = $(i + 1) }
        inside && /Name:/ { for (i = 1; i < NF; i++) if ($i == "Name:") print file, $(i + 1) }')"
    while read -r file version; do
        [ -n "$version" ] || continue
        limit="$(floor "$version")"
        if [ -z "$limit" ] || above "$version" "$limit"; then
            symbols="$(readelf --dyn-syms -W "$library" | awk -v version="$version" '
                $7 == "UND" { split($8, part, "@"); if (part[2] == version) print part[1] }' |
                sort -u | xargs)"
            echo "$library: $symbols needs $version of $file, above the floor ${limit:-(unknown family)}" >&2
            failed=1
        fi
    done <<<"$needs"
    for needed in $(readelf -d -W "$library" | awk '/\(NEEDED\)/ { gsub(/[][]/, "", $NF); print $NF }'); do
        if [[ "$allowed_needed" != *" $needed "* ]]; then
            echo "$library: needs $needed, which the host generation's systems do not have" >&2
            failed=1
        fi
    done
done
if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "within the floor (GLIBC_2.3.4, GLIBCXX_3.4.8, CXXABI_1.3.1, GCC_4.2.0): $*"
