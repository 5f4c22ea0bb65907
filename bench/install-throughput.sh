#!/usr/bin/env bash
# Install throughput under Wine: SETUP.EXE installing a product of 2,000 small files and one of
# 20 files of 10 MB, driven through its pages by the end-to-end driver, beside plain loops under
# Wine of CopyFileA and of the version-installation service that SETUP.EXE installs through
# (VerInstallFileA), and `cp` on Linux, over the same files. Prints seconds and ratios.
#   bench/install-throughput.sh [BUILD_DIR [RUNS]]    (default: build/native, 3 runs)
# BUILD_DIR is a combined build (setupkit in it, the Win32 programs in its win32/) or a Win32
# cross build of its own (the programs in it, setupkit where its cache's SETUPKIT_TOOL says).
# The copy phase is read from the driver's transcript: from the click that leaves the
# destination page to the closing message. "End to end" is the whole driver run under Wine,
# start-up included. Each figure is the best of RUNS runs: on a shared machine the slower runs
# measure the neighbours.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/native}" && pwd)
runs=${2:-3}
win32=$build/win32
setupkit=$build/tools/setupkit/setupkit
if [ ! -d "$win32" ]; then
    win32=$build
    setupkit=$(sed -n 's/^SETUPKIT_TOOL:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null)
fi
setup_exe=$win32/src/shell/SETUP.EXE
driver=$win32/tests/e2e/driver/e2e_driver.exe
for needed in "$setupkit" "$setup_exe" "$driver"; do
    [ -f "$needed" ] || { echo "missing $needed (build $build first)" >&2; exit 1; }
done
export WINEPREFIX=${WINEPREFIX:-$win32/wineprefix}
source "$root/tests/wine/wine-env.sh"
setupkit_wine_prefix
setupkit_wine_display

work=$(mktemp -d)
# The prefix's Wine processes and the virtual display end with the benchmark.
trap 'rm -rf "$work" "$WINEPREFIX/drive_c/BENCH" "$WINEPREFIX/drive_c/BENCHCOPY"; setupkit_wine_stop' EXIT
winpath() { printf 'Z:%s' "$(realpath -m "$1" | tr / '\\')"; }
seconds() { awk -v ms="$1" 'BEGIN { printf "%.2f", ms / 1000 }'; }

cpu=i686
[ "$WINEARCH" = win64 ] && cpu=x86_64
"$cpu-w64-mingw32-g++" -O2 -static -o "$work/copyloop.exe" "$root/bench/install/CopyLoop.cpp" -lversion

# make_product NAME COUNT BYTES: COUNT files of BYTES random bytes and their description.
make_product() {
    local name=$1 count=$2 bytes=$3 dir="$work/$1"
    mkdir -p "$dir/files"
    cat >"$dir/product.toml" <<TOML
[product]
name = "Bench"
[welcome]
title = "Welcome to Bench"
[destination]
title = "Bench Destination"
[success]
caption = "Bench Setup"
text = "Bench has been installed."
[failure]
caption = "Bench Setup"
text = "Bench has not been installed."
[[directory]]
path = "C:\\\\BENCH"
TOML
    local n
    for n in $(seq -w 1 "$count"); do
        head -c "$bytes" /dev/urandom >"$dir/files/F$n.DAT"
        printf '[[install]]\nsource = "files/F%s.DAT"\n' "$n" >>"$dir/product.toml"
    done
    "$setupkit" build "$dir/product.toml" -o "$dir/disks" --setup-exe "$setup_exe" >/dev/null
}

# Milliseconds between two steps of a transcript: the second "click Next" and "press OK".
copy_phase_ms() {
    awk 'match($0, /^\[ *[0-9.]+\]/) { at = substr($0, RSTART + 1, RLENGTH - 2) + 0 }
         /line [0-9]+: click Next/ { start = at }
         /line [0-9]+: press OK/ { print int((at - start) * 1000); exit }' "$1"
}

printf '%-22s %6s %8s %11s %10s %10s %6s %13s %10s %9s\n' product files "setup s" "end-to-end s" \
    "CopyFileA" "VerInstall" "cp s" "setup/VerInst" "setup/Copy" "setup/cp"
for product in "small 2000 2048" "large 20 10485760"; do
    read -r name count bytes <<<"$product"
    make_product "$name" "$count" "$bytes"
    disk="$work/$name/disks/disk1"

    best() { sort -n | head -1; }
    setup_runs=() total_runs=() copy_runs=() ver_runs=() cp_runs=()
    for _ in $(seq "$runs"); do
        rm -rf "$WINEPREFIX/drive_c/BENCH"
        started=$(date +%s%N)
        "$root/tests/wine/wine-run.sh" "$driver" "$(winpath "$root/bench/install/install.scenario")" \
            "$(winpath "$disk/SETUP.EXE")" --transcript "$(winpath "$work/$name/transcript.txt")" \
            --deadline 1200 >"$work/$name/driver.log" 2>&1 ||
            { cat "$work/$name/transcript.txt" >&2; exit 1; }
        total_runs+=($((($(date +%s%N) - started) / 1000000)))
        setup_runs+=("$(copy_phase_ms "$work/$name/transcript.txt")")
        last=$(seq -w 1 "$count" | tail -1)
        cmp -s "$work/$name/files/F$last.DAT" "$WINEPREFIX/drive_c/BENCH/F$last.DAT" ||
            { echo "the last file was not installed" >&2; exit 1; }

        rm -rf "$WINEPREFIX/drive_c/BENCHCOPY"
        copy_runs+=("$("$root/tests/wine/wine-run.sh" "$work/copyloop.exe" copy \
            "$(winpath "$work/$name/files")" 'C:\BENCHCOPY' 2>/dev/null | tr -d '\r')")
        rm -rf "$WINEPREFIX/drive_c/BENCHCOPY"
        ver_runs+=("$("$root/tests/wine/wine-run.sh" "$work/copyloop.exe" verinstall \
            "$(winpath "$work/$name/files")" 'C:\BENCHCOPY' 2>/dev/null | tr -d '\r')")

        rm -rf "$work/$name/cp"
        started=$(date +%s%N)
        cp -r "$work/$name/files" "$work/$name/cp"
        cp_runs+=($((($(date +%s%N) - started) / 1000000 + 1)))
    done
    setup_ms=$(printf '%s\n' "${setup_runs[@]}" | best)
    total_ms=$(printf '%s\n' "${total_runs[@]}" | best)
    copy_ms=$(printf '%s\n' "${copy_runs[@]}" | best)
    ver_ms=$(printf '%s\n' "${ver_runs[@]}" | best)
    cp_ms=$(printf '%s\n' "${cp_runs[@]}" | best)

    ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
    printf '%-22s %6d %8s %11s %10s %10s %6s %13s %10s %9s\n' "$name ($((bytes / 1024)) KB each)" \
        "$count" "$(seconds "$setup_ms")" "$(seconds "$total_ms")" "$(seconds "$copy_ms")" \
        "$(seconds "$ver_ms")" "$(seconds "$cp_ms")" "$(ratio "$setup_ms" "$ver_ms")" \
        "$(ratio "$setup_ms" "$copy_ms")" "$(ratio "$setup_ms" "$cp_ms")"
done
