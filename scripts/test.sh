#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test layer: native unit
# tests, Win32 and end-to-end tests under Wine, and the fuzz targets over their corpora.
# Ends with ctest's summary; the exit code is ctest's.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash scripts/bootstrap.sh

# Every sub-build and all of their targets, whatever an earlier configuration chose.
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSETUPKIT_WIN32=ON \
    -DSETUPKIT_FUZZ_BUILD=ON -DSETUPKIT_WIN32_TARGETS= >/dev/null
cmake --build build/native --parallel "$(nproc)"

# The Wine tests run in lanes, each with a prefix and a display of its own (wineprefix,
# wineprefix-1, ...); ctest's wine_stop ends them, and this does too when ctest is interrupted.
prefixes="$root/build/native/win32/wineprefix"
trap 'bash tests/wine/wine-stop.sh "$prefixes" "$prefixes"-*/' EXIT

ctest --test-dir build/native --output-on-failure --parallel "$(nproc)"
