#!/usr/bin/env bash
# The Wine side of `setupkit test`: installs a product from its built disks in a fresh Wine
# prefix on a private virtual display, the end-to-end driver following a scenario, records what
# the installation changed, and with an uninstall entry runs the registered uninstaller.
#
#   product-test.sh [--silent [--answers FILE]] RUNNER_DIR WORK DISKS SCENARIO DRIVER DEADLINE
#                   [ENTRY REMOVAL_SCENARIO]
#
# With --silent no driver runs: SETUP.EXE installs unattended (with the answer file when one is
# given; its run log goes to WORK/run.log) and the removal is the entry's QuietUninstallString.
#
# RUNNER_DIR holds e2e/run-scenario.sh and wine/. Writes into WORK: wineprefix/, install/ (the
# runner's work folder: transcript.txt, shots/), install.rc, installed.changes and
# installed.ini-changes, installed.sizes, setuplog.txt (a copy), shared-counts (whether the prefix has the SharedDLLs key), and with an
# ENTRY removal-transcript.txt, removal.rc, removed.changes, removed.ini-changes.
# Exit code: 0 when it ran (the verdicts are in the .rc files), 3 when Wine or the display could
# not be started. Every process it starts ends with it.
set -uo pipefail
silent="" answers=""
if [ "${1-}" = --silent ]; then
    silent=yes
    shift
    if [ "${1-}" = --answers ]; then
        answers=$2
        shift 2
    fi
fi
runner=$1 work=$2 disks=$3 scenario=$4 driver=$5 deadline=$6 entry=${7-} removal=${8-}

# A display of its own: never the user's, never one that a test run shares.
unset DISPLAY SETUPKIT_DISPLAY
source "$runner/wine/wine-env.sh"

# A fresh prefix is a copy of a pristine one, made once per Wine version and kept in the user's
# cache: making a prefix takes Wine half a minute, copying it a second.
cache=${XDG_CACHE_HOME:-$HOME/.cache}/setupkit
version=$(wine --version 2>/dev/null </dev/null | tr -c 'A-Za-z0-9.\n-' _)
template="$cache/prefix-$WINEARCH-${version:-wine}"
mkdir -p "$cache" || exit 3
(
    flock 9
    if [ ! -f "$template/.setupkit-unmanaged" ]; then
        export WINEPREFIX="$template"
        setupkit_wine_prefix && setupkit_wine_unmanaged
        wineserver -k >/dev/null 2>&1 9>&- </dev/null
        [ -f "$template/.setupkit-unmanaged" ] || exit 1
    fi
) 9>"$template.making" || exit 3

export WINEPREFIX="$work/wineprefix"
rm -rf "$WINEPREFIX" "$WINEPREFIX".*
cp -a "$template" "$WINEPREFIX" || exit 3
trap setupkit_wine_stop EXIT
setupkit_wine_prefix || exit 3
setupkit_wine_display || exit 3

export WORK="$work" DRIVER="$driver" WINE_RUN="$runner/wine/wine-run.sh"
source "$runner/e2e/uninstall/removal-lib.sh"

shared_key='HKLM\Software\Microsoft\Windows\CurrentVersion\SharedDLLs'
if wine reg query "$shared_key" >/dev/null 2>&1 </dev/null; then
    echo present >"$work/shared-counts"
else
    echo missing >"$work/shared-counts"
fi

prefix_snapshot "$work/before" || exit 3
# The run as a whole is bounded too: the driver's deadline plus Wine's start and the checks.
if [ -n "$silent" ]; then
    switches=(/silent "/log:$(winepath -w "$work/run.log" 2>/dev/null </dev/null)")
    [ -z "$answers" ] ||
        switches+=("/answers:$(winepath -w "$answers" 2>/dev/null </dev/null)")
    mkdir -p "$work/install"
    timeout --kill-after=10 "$deadline" wine "$disks/disk1/SETUP.EXE" "${switches[@]}" \
        >"$work/install.log" 2>&1 </dev/null
else
    timeout --kill-after=10 $((deadline + 60)) bash "$runner/e2e/run-scenario.sh" --name product \
        --work "$work/install" --scenario "$scenario" --driver "$driver" \
        --program-file "$disks/disk1/SETUP.EXE" --disks "$disks" --drive a --deadline "$deadline" \
        >"$work/install.log" 2>&1 </dev/null
fi
echo $? >"$work/install.rc"
prefix_snapshot "$work/installed" || exit 3
prefix_changes "$work/before" "$work/installed" >"$work/installed.changes"
prefix_ini_changes "$work/before" "$work/installed" >"$work/installed.ini-changes"
# The sizes of what was installed, and the install log, before a removal takes them away.
(cd "$WINEPREFIX/drive_c" && find . \( -ipath './windows/temp' -o -ipath './users/*/temp' \) \
    -prune -o -type f -printf '%s\t./%P\n') >"$work/installed.sizes"
log=$(sed -n 's|^> file \./\(.*/setuplog\.txt\)$|\1|Ip' "$work/installed.changes" | head -n 1)
[ -z "$log" ] || cp "$WINEPREFIX/drive_c/$log" "$work/setuplog.txt"

# Installed: exit code 0, or for a silent run also 3 (installed, a restart due).
installed=$(cat "$work/install.rc")
if [ -n "$entry" ] && { [ "$installed" = 0 ] || { [ -n "$silent" ] && [ "$installed" = 3 ]; }; }; then
    command=$(uninstall_command "$entry" ${silent:+QuietUninstallString})
    if [ -z "$command" ]; then
        echo "no UninstallString for the uninstall entry $entry" >"$work/removal.log"
        echo 4 >"$work/removal.rc"
    else
        echo "$command" >"$work/removal.command"
        if [ -n "$silent" ]; then
            timeout --kill-after=10 "$deadline" wine cmd /c "$command" \
                >"$work/removal.log" 2>&1 </dev/null
        else
            timeout --kill-after=10 $((deadline + 60)) bash -c \
                'source "$1" && run_command removal "$2" "$3"' _ \
                "$runner/e2e/uninstall/removal-lib.sh" "$removal" "$command" \
                >"$work/removal.log" 2>&1 </dev/null
        fi
        echo $? >"$work/removal.rc"
        for bmp in "$work"/shots/*.bmp; do
            [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" 2>/dev/null && rm -f "$bmp"
        done
    fi
    prefix_snapshot "$work/removed" || exit 3
    prefix_changes "$work/before" "$work/removed" >"$work/removed.changes"
    prefix_ini_changes "$work/before" "$work/removed" >"$work/removed.ini-changes"
fi
exit 0
