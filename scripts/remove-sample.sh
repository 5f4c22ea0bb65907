#!/usr/bin/env bash
# Removes the sample that scripts/run-sample.sh installed, through its registered command: the
# UninstallString of "Sample Notepad" in the sample's Wine prefix (KXUN32.EXE and the installed
# SETUP.INF), started as the system's list of removable programs starts it.
#   - with a display of your own (DISPLAY set), on it: you answer the uninstaller yourself;
#   - without one (or with SETUPKIT_SAMPLE_HEADLESS=1), on a virtual display, where the
#     end-to-end driver answers as a person would (tests/e2e/uninstall/sample-removal.scenario)
#     and takes a picture of each box.
# SETUPKIT_BUILD_DIR and SETUPKIT_SAMPLE_DIR override the folders, as for run-sample.sh.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
build=${SETUPKIT_BUILD_DIR:-build/sample-build}
sample=${SETUPKIT_SAMPLE_DIR:-build/sample}
entry="Sample Notepad"

source tests/wine/wine-env.sh
export WINEPREFIX="$root/$sample/wineprefix"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "remove-sample: no sample installed in $WINEPREFIX (run scripts/run-sample.sh first)" >&2
    exit 1
fi
export WORK="$root/$sample/removal" DRIVER="$root/$build/win32/tests/e2e/driver/e2e_driver.exe"
export WINE_RUN="$root/tests/wine/wine-run.sh"
source tests/e2e/uninstall/removal-lib.sh
rm -rf "$WORK"
mkdir -p "$WORK/shots"

if [ -n "${DISPLAY:-}" ] && [ -z "${SETUPKIT_SAMPLE_HEADLESS:-}" ] && [ -z "${CI:-}" ]; then
    export SETUPKIT_DISPLAY=$DISPLAY
    command=$(uninstall_command "$entry")
    [ -n "$command" ] || { echo "remove-sample: $entry is not installed" >&2; exit 1; }
    echo "starting $command on your display ($DISPLAY)"
    before_exe=${command%%.[Ee][Xx][Ee] *}
    status=0
    "$WINE_RUN" "${command:0:${#before_exe}+4}" "${command:${#before_exe}+5}" || status=$?
    wineserver -k >/dev/null 2>&1 || true
    echo "KXUN32.EXE ended with exit code $status"
    exit $status
fi

trap setupkit_wine_stop EXIT
unset DISPLAY
setupkit_wine_display
command=$(uninstall_command "$entry")
[ -n "$command" ] || { echo "remove-sample: $entry is not installed" >&2; exit 1; }
echo "starting $command on a virtual display, answered by the end-to-end driver"
status=0
run_command removal tests/e2e/uninstall/sample-removal.scenario "$command" || status=$?
for bmp in "$WORK"/shots/*.bmp; do
    [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" 2>/dev/null && rm -f "$bmp"
done
echo
echo "what the uninstaller showed: $WORK/shots/"
echo "every window it saw:         $WORK/removal-transcript.txt"
exit $status
