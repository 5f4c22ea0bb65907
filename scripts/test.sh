#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test layer: native unit
# tests, Win32 and end-to-end tests under Wine, and the fuzz targets over their corpora.
# Ends with ctest's summary; the exit code is ctest's.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash scripts/bootstrap.sh

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native --parallel "$(nproc)"

source tests/wine/wine-env.sh
export WINEPREFIX="$root/build/native/win32/wineprefix"
trap setupkit_wine_stop EXIT

ctest --test-dir build/native --output-on-failure --parallel "$(nproc)"
