#!/usr/bin/env bash
# The sample installed under Wine in one fresh prefix, in rounds: once by the end-to-end driver
# walking the wizard on a virtual display (examples/sample/walkthrough.scenario), once by
# SETUP.EXE /silent with the defaults. A single run of either is mostly Wine starting programs
# and varies from run to run: prints each round and the medians' ratio; fails nothing.
#   bench/silent-vs-gui.sh [BUILD_DIR] [ROUNDS]   (default build/native, after a full build; 5)
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/native}
rounds=${2:-5}
setupkit=$build/tools/setupkit/setupkit
setup_exe=$build/dist32/src/shell/dist/SETUP.EXE
[ "$(bash "$root/tests/wine/wine-arch.sh")" = win64 ] && setup_exe=$build/win32/src/shell/dist/SETUP.EXE
driver=$build/win32/tests/e2e/driver/e2e_driver.exe
work=$(mktemp -d)
export WINEPREFIX=$work/prefix
source "$root/tests/wine/wine-env.sh"
trap 'setupkit_wine_stop; rm -rf "$work"' EXIT
setupkit_wine_prefix && setupkit_wine_display || exit 0
disks=$WINEPREFIX/drive_c/BENCH
"$setupkit" build "$root/examples/sample/product.toml" -o "$disks" --setup-exe "$setup_exe" \
    >/dev/null || exit 0
app="$WINEPREFIX/drive_c/Program Files/Sample Notepad"
now() { date +%s.%N; }

# Seconds since started.
since() { awk -v a="$(now)" -v b="$1" 'BEGIN { print a - b }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for round in $(seq "$rounds"); do
    rm -rf "$app"
    started=$(now)
    wine "$driver" "$(winepath -w "$root/examples/sample/walkthrough.scenario")" 'C:\BENCH\disk1\SETUP.EXE' \
        --transcript 'C:\BENCH\transcript.txt' --shots 'C:\BENCH\shots' --deadline 120 >"$work/driver.log" 2>&1 </dev/null
    gui_code=$?
    gui=$(since "$started")
    rm -rf "$app"
    started=$(now)
    wine 'C:\BENCH\disk1\SETUP.EXE' /silent '/log:C:\BENCH\silent.log' >/dev/null 2>&1 </dev/null
    silent_code=$?
    silent=$(since "$started")
    printf 'round %d: GUI walk by the driver %6.2f s (exit code %d), silent install %6.2f s (exit code %d)\n' \
        "$round" "$gui" "$gui_code" "$silent" "$silent_code"
    echo "$gui" >>"$work/gui.times"
    echo "$silent" >>"$work/silent.times"
done

gui=$(median <"$work/gui.times")
silent=$(median <"$work/silent.times")
printf 'median of %d rounds: GUI walk %.2f s, silent install %.2f s\n' "$rounds" "$gui" "$silent"
awk -v g="$gui" -v s="$silent" 'BEGIN { printf "the silent install is %.1f times as fast\n", g / s }'
exit 0
