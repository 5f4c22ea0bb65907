#!/usr/bin/env bash
# Runs one end-to-end scenario: prepares a fresh disk folder, clears what earlier scenarios
# left in the Wine prefix, runs the driver under Wine (tests/wine/wine-run.sh) against the
# program on the disk, keeps the transcript and the pictures, and runs the scenario's checks
# on the files left behind.
#
#   run-scenario.sh --name NAME --work DIR --scenario FILE --driver E2E_DRIVER.EXE
#                   --program-file EXE [--args ARGUMENTS] [--setupkit TOOL] [--product TOML | --disks DIR]
#                   [--prepare SCRIPT] [--check SCRIPT] [--teardown SCRIPT]
#                   [--clean 'C:\DIR']... [--drive LETTER] [--deadline SECONDS] [--max-seconds SECONDS]
#                   [--expect-failure REGEX]
#                   [--removal SCENARIO --entry NAME [--between SCRIPT]]
#
# The disk folder is WORK/disk1. With --product the disks are made by `setupkit build` (as
# WORK/disks/diskN, linked as WORK/diskN) when the tool has that command, else the description
# is compiled to disk1/SETUP.INF with `setupkit compile`; --disks takes disks built already
# (DIR/disk1, disk2, ..., with their labels in DIR/disk-labels.txt). The labels of built disks
# reach the driver as WORK/disk-labels.txt (which a prepare script may replace). The program
# file is copied beside the script when the disk lacks it. A --prepare script runs next (to
# damage or remove the script, add files, set registry entries).
# Scripts run with bash and get DISK, WORK, DRIVE_C, WINEPREFIX, DISPLAY, SETUPKIT and E2E_DIR
# (this folder) in the environment; a --check script runs only after the driver passed, with
# the functions of check-lib.sh, and fails the test when one of its checks failed.
#
# A --teardown script runs when the runner ends, however it ends (a failed step, a failed
# check, an interrupted run): it undoes what the prepare script set up outside the work folder,
# such as a mount. A prepare script that exits with 77 cannot set up what the scenario needs
# here (mounting is not allowed, say): the runner says why and exits with 77, which ctest takes
# as a skipped test.
#
# --expect-failure turns the test around: the driver must report a failure whose transcript
# matches REGEX (the self-test of time-outs and mismatches); the check script then looks at
# what the failure left. --max-seconds bounds the driver's run, Wine's start included.
#
# --removal adds a second run once the scenario held: the product's registered uninstall
# command (the UninstallString of the uninstall entry NAME) is started by the driver, which
# follows the removal scenario; a --between script runs before it (to hold a file open, add a
# file, damage the log). The prefix's files and registry are recorded before the first
# run (WORK/before) and after the second (WORK/after); the check script gets them as BEFORE and
# AFTER, the command as REMOVAL_COMMAND, with the functions of uninstall/removal-lib.sh.
#
# Exit code: 0 when the scenario (and its checks) held.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
wine_run="$here/../wine/wine-run.sh"
source "$here/../wine/wine-env.sh"

name="" work="" scenario="" driver="" program_file="" program_args="" setupkit="" product="" disks=""
prepare="" check="" teardown="" drive="" deadline=150 max_seconds="" expect_failure=""
removal="" entry="" between=""
cleans=()
while [ $# -gt 0 ]; do
    if [ $# -lt 2 ]; then
        echo "run-scenario: $1 needs a value" >&2
        exit 64
    fi
    case "$1" in
        --name) name=$2 ;;
        --work) work=$2 ;;
        --scenario) scenario=$2 ;;
        --driver) driver=$2 ;;
        --program-file) program_file=$2 ;;
        --args) program_args=$2 ;;
        --setupkit) setupkit=$2 ;;
        --product) product=$2 ;;
        --disks) disks=$2 ;;
        --prepare) prepare=$2 ;;
        --check) check=$2 ;;
        --teardown) teardown=$2 ;;
        --clean) cleans+=("$2") ;;
        --drive) drive=$2 ;;
        --deadline) deadline=$2 ;;
        --max-seconds) max_seconds=$2 ;;
        --expect-failure) expect_failure=$2 ;;
        --removal) removal=$2 ;;
        --entry) entry=$2 ;;
        --between) between=$2 ;;
        *) echo "run-scenario: unknown argument $1" >&2; exit 64 ;;
    esac
    shift 2
done
for required in name work scenario driver program_file; do
    if [ -z "${!required}" ]; then
        echo "run-scenario: --${required//_/-} is required" >&2
        exit 64
    fi
done

say() { echo "run-scenario[$name]: $*"; }
source "$here/uninstall/removal-lib.sh"
# Disks get the program without its debug information where the build made such a copy, so
# that it fits on a floppy as it does for users.
disk_program=$program_file
stripped="$(dirname "$program_file")/dist/$(basename "$program_file")"
[ -f "$stripped" ] && disk_program=$stripped
export DRIVER="$driver" WINE_RUN="$wine_run" SETUP_EXE="$disk_program"
fail() { say "FAILED: $*"; exit 1; }

# A Windows path on drive C: as the Linux path inside the prefix.
prefix_path() {
    local path=${1//\\//}
    case "$path" in
        [Cc]:/*) printf '%s/drive_c/%s' "$WINEPREFIX" "${path:3}" ;;
        *) return 1 ;;
    esac
}

setupkit_wine_prefix || fail "no Wine prefix"
# Scripts that run Wine themselves (wine reg) need the display too: the first Wine program of
# a session fixes the display for all that follow, and one without would leave the program
# under test unable to open any window.
setupkit_wine_display || fail "no display"
export WINEPREFIX DISPLAY DRIVE_C="$WINEPREFIX/drive_c" E2E_DIR="$here"

# What the runner started and set up ends with it: the request watcher, the drive letter, and
# whatever the teardown script undoes.
watcher="" drive_link=""
finish() {
    [ -z "$watcher" ] || kill "$watcher" 2>/dev/null
    [ -z "$drive_link" ] || rm -f "$drive_link"
    if [ -n "$teardown" ]; then
        bash "$teardown" >>"$work/teardown.log" 2>&1 || say "the teardown script failed (teardown.log)"
    fi
}
trap finish EXIT

# A fresh work folder: the disk, the transcript and the pictures of this run only.
rm -rf "$work"
mkdir -p "$work/shots" || fail "cannot make $work"
export WORK="$work" DISK="$work/disk1" SETUPKIT="$setupkit"
mkdir -p "$DISK"

if [ -n "$disks" ]; then
    rm -rf "$DISK"
    for folder in "$disks"/disk*; do
        [ -d "$folder" ] && ln -s "$(realpath "$folder")" "$work/$(basename "$folder")"
    done
    [ -d "$DISK" ] || fail "$disks has no disk1"
    [ ! -f "$disks/disk-labels.txt" ] || cp "$disks/disk-labels.txt" "$work/"
elif [ -n "$product" ]; then
    [ -x "$setupkit" ] || fail "--product needs the setupkit tool (--setupkit)"
    # The tool lists its commands under "Subcommands:" in its help.
    commands=$("$setupkit" --help 2>/dev/null)
    if grep -Eq '^ +build( |$)' <<<"$commands"; then
        say "building the disks of $product"
        rm -rf "$DISK"
        "$setupkit" build "$product" -o "$work/disks" --setup-exe "$disk_program" \
            >"$work/setupkit.log" 2>&1 || { cat "$work/setupkit.log"; fail "setupkit build failed"; }
        # The tool writes disks/disk1, disk2, ...; they appear as WORK/diskN, which `insert`
        # names.
        for folder in "$work"/disks/disk*; do
            [ -d "$folder" ] && ln -s "disks/$(basename "$folder")" "$work/$(basename "$folder")"
        done
        [ -n "$(find "$DISK/" -maxdepth 1 -iname SETUP.INF -print -quit)" ] ||
            fail "setupkit build made no disk1/SETUP.INF"
        # The disks' labels, for the autopilot's answer to a disk prompt: "diskN<TAB>LABEL"
        # lines in Windows-1252, as the prompt shows them. Only the autopilot needs them.
        "$setupkit" dump "$DISK/SETUP.INF" 2>/dev/null | python3 -c 'import sys, tomllib
for n, label in enumerate(tomllib.load(sys.stdin.buffer).get("disks", {}).get("labels", []), 1):
    sys.stdout.buffer.write(f"disk{n}\t{label}\n".encode("cp1252"))' >"$work/disk-labels.txt" ||
            { rm -f "$work/disk-labels.txt"; say "note: the disk labels could not be read"; }
    else
        say "compiling $product (this setupkit has no build command)"
        "$setupkit" compile "$product" -o "$DISK/SETUP.INF" >"$work/setupkit.log" 2>&1 ||
            { cat "$work/setupkit.log"; fail "setupkit compile failed"; }
    fi
fi
program_name=$(basename "$program_file")
program_on_disk=$(find "$DISK/" -maxdepth 1 -iname "$program_name" -print -quit)
if [ -z "$program_on_disk" ]; then
    program_on_disk="$DISK/$program_name"
    cp "$program_file" "$program_on_disk" || fail "cannot copy $program_file"
fi

if [ -n "$prepare" ]; then
    say "preparing with $(basename "$prepare")"
    bash "$prepare" >"$work/prepare.log" 2>&1
    prepared=$?
    if [ "$prepared" -eq 77 ]; then
        cat "$work/prepare.log"
        say "SKIPPED: the prepare script cannot set up this scenario here"
        exit 77
    fi
    [ "$prepared" -eq 0 ] || { cat "$work/prepare.log"; fail "the prepare script failed"; }
fi

# What earlier runs installed would change what this run sees.
for path in "${cleans[@]}"; do
    linux=$(prefix_path "$path") || fail "--clean takes a path on drive C:, not $path"
    rm -rf "$linux"
done

program=$(windows_path "$program_on_disk")
if [ -n "$drive" ]; then
    # The disk as a drive of its own, like a floppy: the program runs from X:\.
    drive_link="$WINEPREFIX/dosdevices/${drive,,}:"
    ln -sfn "$(realpath "$DISK")" "$drive_link" || fail "cannot make drive ${drive^^}:"
    program="${drive^^}:\\$(basename "$program_on_disk")"
fi

if [ -n "$removal" ]; then
    [ -n "$entry" ] || fail "--removal needs --entry"
    prefix_snapshot "$work/before" || fail "cannot record the prefix before the run"
fi

# The driver's requests, each a file NAME.REQ in WORK/requests, answered with NAME.ACK (both
# renamed into place whole): SWAP points the drive at WORK/FOLDER (`insert "disk2"`) or at
# nothing ("-"), answered "ok" (or "no drive" in a run without one); RUN runs a command with
# bash in WORK, with the environment of the prepare and check scripts and its output in
# WORK/run.log, answered with its exit status.
requests="$work/requests"
mkdir -p "$requests"
answer() {
    printf '%s' "$2" >"$requests/$1.ACK.NEW" && mv -f "$requests/$1.ACK.NEW" "$requests/$1.ACK"
}
(
    while :; do
        if [ -f "$requests/SWAP.REQ" ]; then
            folder=$(cat "$requests/SWAP.REQ")
            rm -f "$requests/SWAP.REQ"
            if [ -z "$drive_link" ]; then
                answer SWAP "no drive"
                continue
            elif [ "$folder" = "-" ]; then
                rm -f "$drive_link"
            else
                ln -sfn "$(realpath -m "$work/$folder")" "$drive_link"
            fi
            echo "${drive^^}: now $folder" >>"$work/swaps.log"
            answer SWAP ok
        fi
        if [ -f "$requests/RUN.REQ" ]; then
            command=$(cat "$requests/RUN.REQ")
            rm -f "$requests/RUN.REQ"
            echo "\$ $command" >>"$work/run.log"
            (cd "$work" && bash -c "$command") >>"$work/run.log" 2>&1 </dev/null
            answer RUN "$?"
        fi
        sleep 0.05
    done
) &
watcher=$!

labels_file=""
[ ! -f "$work/disk-labels.txt" ] || labels_file=$(windows_path "$work/disk-labels.txt")
say "running $(basename "$scenario") against $program"
started=$(date +%s)
"$wine_run" "$driver" "$(windows_path "$scenario")" "$program" \
    --transcript "$(windows_path "$work/transcript.txt")" \
    --shots "$(windows_path "$work/shots")" --deadline "$deadline" \
    --requests "$(windows_path "$requests")" ${program_args:+--args "$program_args"} \
    ${labels_file:+--disk-labels "$labels_file"} >"$work/driver.log" 2>&1 </dev/null
rc=$?
echo "$rc" >"$work/driver.rc"
elapsed=$(( $(date +%s) - started ))

# Pictures as .png, which every viewer shows.
for bmp in "$work"/shots/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" 2>/dev/null && rm -f "$bmp"
done

cat "$work/driver.log"
say "driver exit code $rc after ${elapsed} s; transcript $work/transcript.txt"

if [ -n "$max_seconds" ] && [ "$elapsed" -gt "$max_seconds" ]; then
    fail "the run took ${elapsed} s, more than the $max_seconds s it may take"
fi

if [ -n "$expect_failure" ]; then
    [ "$rc" -eq 1 ] || fail "the driver should have reported a failed step (exit code 1), not $rc"
    grep -Eq -- "$expect_failure" "$work/transcript.txt" ||
        fail "the transcript does not report /$expect_failure/"
    say "the driver failed as it should"
elif [ "$rc" -ne 0 ]; then
    fail "the scenario did not hold"
fi

if [ -n "$removal" ]; then
    if [ -n "$between" ]; then
        say "between the runs: $(basename "$between")"
        bash "$between" >"$work/between.log" 2>&1 || { cat "$work/between.log"; fail "the between script failed"; }
    fi
    command=$(uninstall_command "$entry")
    [ -n "$command" ] || fail "no UninstallString for the uninstall entry $entry"
    say "removing with $command"
    run_command removal "$removal" "$command" || fail "the removal scenario did not hold"
    export REMOVAL_COMMAND="$command"
    prefix_snapshot "$work/after" || fail "cannot record the prefix after the removal"
    export BEFORE="$work/before" AFTER="$work/after"
fi

if [ -n "$check" ]; then
    say "checking with $(basename "$check")"
    bash -c 'source "$1" && source "$2" && check_finish' check "$here/check-lib.sh" "$check" ||
        fail "the checks on what the run left behind failed"
fi
say "passed"
