#!/usr/bin/env bash
# Ends wineserver and the private virtual display of each Wine prefix given: the prefixes of
# the test lanes, after the last Wine test (ctest's wine_stop) or when scripts/test.sh ends.
# A prefix that was never made is passed over.
#   wine-stop.sh PREFIX...
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"

for prefix in "$@"; do
    prefix=${prefix%/}
    if [ -d "$prefix" ] || [ -f "$prefix.xvfb" ]; then
        export WINEPREFIX=$prefix
        setupkit_wine_stop
    fi
done
exit 0
