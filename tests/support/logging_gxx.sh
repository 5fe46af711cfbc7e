#!/bin/sh
# g++ that first appends its command line to the file LOGGED_COMMANDS names.
# With FAIL_AFTER_OUTPUT set it writes part of its output file and fails, as
# a build stopped part-way would.
printf 'g++ %s\n' "$*" >>"$LOGGED_COMMANDS"
if [ -n "${FAIL_AFTER_OUTPUT-}" ]; then
    while [ "$1" != -o ]; do shift; done
    echo partial >"$2"
    exit 1
fi
exec g++ "$@"
