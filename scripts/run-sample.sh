#!/usr/bin/env bash
# Builds the tools and runs the installer on the sample product (examples/sample).
#   1. install the Debian packages (scripts/bootstrap.sh)
#   2. build into build/native
#   3. compile the sample's product description into build/sample/SETUP.INF
#   4. show the compiled script as setupkit dump reads it back
# SETUPKIT_BUILD_DIR and SETUPKIT_SAMPLE_DIR override the two folders.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
build=${SETUPKIT_BUILD_DIR:-build/native}
sample=${SETUPKIT_SAMPLE_DIR:-build/sample}

step() { printf '\n== %s\n' "$*"; }

step "1. packages"
bash scripts/bootstrap.sh

step "2. build ($build)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# Only the authoring tool for now; SETUP.EXE comes with the win32 target.
cmake --build "$build" --target setupkit --parallel "$(nproc)"
setupkit=$build/tools/setupkit/setupkit

step "3. compile examples/sample/product.toml -> $sample/SETUP.INF"
mkdir -p "$sample"
"$setupkit" compile examples/sample/product.toml -o "$sample/SETUP.INF"

# FIXME: build the distribution disks and start SETUP.EXE from disk 1 under Wine.
step "4. $sample/SETUP.INF, dumped"
"$setupkit" dump "$sample/SETUP.INF"
