#!/usr/bin/env bash
# Runs a Windows program under Wine for the tests: a 32-bit prefix of our own (made on first
# use), a virtual display, and Wine's output sent to files, because wineserver keeps the
# streams it inherited open long after the program has ended.
#   WINEPREFIX       the prefix (default: build/wineprefix beside this script's tree)
#   SETUPKIT_DISPLAY an X display to use instead of the private virtual one
# The program's exit code is this script's exit code.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"

if [ $# -lt 1 ]; then
    echo "usage: wine-run.sh PROGRAM.EXE [ARGS...]" >&2
    exit 64
fi

setupkit_wine_prefix || exit 70
setupkit_wine_display || exit 70

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
wine "$@" >"$logs/out" 2>"$logs/err" </dev/null
rc=$?
cat "$logs/out"
cat "$logs/err" >&2
exit $rc
