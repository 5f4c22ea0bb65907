#!/usr/bin/env bash
# Builds what the sample needs and runs the installer on it (examples/sample):
#   1. install the Debian packages (scripts/bootstrap.sh)
#   2. build into build/sample-build only setupkit, SETUP.EXE, KXUN32.EXE and the end-to-end
#      driver (in build/sample-build/win32): no tests, no fuzz targets, no i686 copies
#   3. build the sample's distribution disks into build/sample/disks with setupkit build
#   4. start SETUP.EXE from disk 1 under Wine:
#      - with a display of your own (DISPLAY set), on it: you click through the installer;
#      - without one (or with SETUPKIT_SAMPLE_HEADLESS=1), on a virtual display, where the
#        end-to-end driver answers every page with its default choice and takes a picture of
#        each (examples/sample/walkthrough.scenario); with SETUPKIT_SAMPLE_DOCS=1 its pictures
#        of the whole screen become the README's (docs/screen-*.png).
# The sample installs into C:\Program Files\Sample Notepad of the Wine prefix
# build/sample/wineprefix. SETUPKIT_BUILD_DIR and SETUPKIT_SAMPLE_DIR override the folders.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
build=${SETUPKIT_BUILD_DIR:-build/sample-build}
sample=${SETUPKIT_SAMPLE_DIR:-build/sample}

step() { printf '\n== %s\n' "$*"; }

step "1. packages"
bash scripts/bootstrap.sh

step "2. build ($build)"
# The Win32 sub-build makes only the programs and the driver; the native build only setupkit.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSETUPKIT_WIN32_TARGETS="setup;kxun32;e2e_driver" >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target setupkit win32 dist32
setupkit=$build/tools/setupkit/setupkit
# The shipped program, without debug information (it fits on a floppy): the sample's disks
# always carry it. Where Wine runs only 64-bit programs, the x86-64 build of the same sources
# runs instead, from a disk set of its own that is not for release.
setup_exe=$build/dist32/src/shell/dist/SETUP.EXE
run_exe=$setup_exe
run_disks=$sample/disks
if [ "$(bash tests/wine/wine-arch.sh)" = win64 ]; then
    run_exe=$build/win32/src/shell/dist/SETUP.EXE
    run_disks=$sample/disks-x86-64
fi
driver=$build/win32/tests/e2e/driver/e2e_driver.exe

step "3. disks: examples/sample/product.toml -> $sample/disks"
rm -rf "$sample/disks"
mkdir -p "$sample"
"$setupkit" build examples/sample/product.toml -o "$sample/disks" --setup-exe "$setup_exe"
"$setupkit" dump "$sample/disks/disk1/SETUP.INF" >"$sample/SETUP.INF.toml"
echo "the compiled script, read back by setupkit dump: $sample/SETUP.INF.toml"
if [ "$run_disks" != "$sample/disks" ]; then
    echo "this host's Wine runs no 32-bit programs: the x86-64 set $run_disks runs below;" \
        "it is NOT FOR RELEASE (the disks to ship are $sample/disks)"
    rm -rf "$run_disks"
    "$setupkit" build examples/sample/product.toml -o "$run_disks" --setup-exe "$run_exe"
fi

source tests/wine/wine-env.sh
export WINEPREFIX="$root/$sample/wineprefix"
rm -rf "$WINEPREFIX/drive_c/Program Files/Sample Notepad"

if [ -n "${DISPLAY:-}" ] && [ -z "${SETUPKIT_SAMPLE_HEADLESS:-}" ] && [ -z "${CI:-}" ]; then
    step "4. SETUP.EXE on your display ($DISPLAY)"
    export SETUPKIT_DISPLAY=$DISPLAY
    status=0
    tests/wine/wine-run.sh "$run_disks/disk1/SETUP.EXE" || status=$?
    echo "SETUP.EXE ended with exit code $status; the installed files are in"
    echo "  $WINEPREFIX/drive_c/Program Files/Sample Notepad"
    wineserver -k >/dev/null 2>&1 || true
    exit $status
fi

step "4. SETUP.EXE on a virtual display, answered by the end-to-end driver"
trap setupkit_wine_stop EXIT
unset DISPLAY
work="$root/$sample/walkthrough"
status=0
tests/e2e/run-scenario.sh --name sample --work "$work" \
    --scenario examples/sample/walkthrough.scenario --driver "$driver" \
    --program-file "$run_exe" --setupkit "$setupkit" --product examples/sample/product.toml \
    --clean 'C:\Program Files\Sample Notepad' || status=$?
echo
echo "what the installer showed, page by page: $work/shots/"
ls "$work/shots" 2>/dev/null | sed 's/^/  /'
if [ -n "${SETUPKIT_SAMPLE_DOCS:-}" ] && [ $status -eq 0 ]; then
    cp "$work"/shots/screen-*.png docs/
    echo "the README's pictures, from $work/shots/screen-*.png: docs/"
fi
echo "every window and control it saw:         $work/transcript.txt"
echo "what it installed:                       $WINEPREFIX/drive_c/Program Files/Sample Notepad"
echo "its install log:                         $WINEPREFIX/drive_c/Program Files/Sample Notepad/setuplog.txt"
exit $status
