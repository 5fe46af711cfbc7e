#!/bin/sh
# Writes vorlane.mod, the host's module description, beside this script: one
# line that names this folder, under which the host finds plug-ins/ and
# scripts/. Run it again after moving the folder. The folder is then made
# known to the host by MAYA_MODULE_PATH, or by copying vorlane.mod into a
# folder on it.
set -e

case "${1-}" in
-h | --help)
    echo "usage: install.sh"
    echo "Writes vorlane.mod in this folder, naming this folder as the module's path."
    exit 0
    ;;
?*)
    echo "usage: install.sh (takes no arguments)" >&2
    exit 2
    ;;
esac

here="$(cd "$(dirname "$0")" && pwd)"
case "$here" in
*'
'*)
    echo "install.sh: the folder's path has a line break, which a module description cannot hold" >&2
    exit 1
    ;;
esac
# The path as sed's replacement text: '\', '|' and '&' escaped.
replacement="$(printf '%s\n' "$here" | sed 's/[\\|&]/\\&/g')"
sed "s|@VORLANE_MODULE_ROOT@|$replacement|" "$here/vorlane.mod.in" >"$here/vorlane.mod.new"
mv "$here/vorlane.mod.new" "$here/vorlane.mod"
echo "install.sh: wrote $here/vorlane.mod; add $here to MAYA_MODULE_PATH"
