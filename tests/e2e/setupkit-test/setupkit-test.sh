#!/usr/bin/env bash
# `setupkit test` as an author runs it, on the sample product:
#   1. the autopilot installs it from two disks (inserting the one the prompt names) and the
#      uninstaller removes it: exit 0, a report that opens with a summary (the programs used,
#      the expected files found, what the removal left) and lists the pages, files, Start Menu
#      items, registry, INI entries and log, and a JUnit file;
#   2. a scenario that expects another destination: exit 1, the step and the mismatch named,
#      and no removal reported, since none ran;
#   3. a scenario that does not follow the grammar: exit 2;
#   4. unattended from two disks with an answer file, removed by the quiet command: exit 0.
#   setupkit-test.sh SETUPKIT SETUP.EXE DRIVER SAMPLE_DIR WORK
set -uo pipefail
setupkit=$1 setup_exe=$2 driver=$3 sample=$4 work=$5
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
expect_in() { grep -Fq -- "$2" "$1" || fail "$1 lacks: $2"; }
expect_match() { grep -Eq -- "$2" "$1" || fail "$1 lacks /$2/"; }

rm -rf "$work" && mkdir -p "$work"
run_test() {
    local name=$1
    shift
    "$setupkit" test "$sample/product.toml" --setup-exe "$setup_exe" --driver "$driver" \
        --work "$work/$name" --timeout 120 "$@" >"$work/$name.out" 2>&1
    local rc=$?
    cat "$work/$name.out"
    return $rc
}

# Disks only 40,000 bytes larger than SETUP.EXE: the sample takes two, and the run asks for the
# second.
capacity=$(($(stat -c %s "$setup_exe") + 40000))
run_test sample --uninstall --junit "$work/sample.xml" --capacity "$capacity"
rc=$?
[ $rc -eq 0 ] || fail "the sample: exit code $rc, expected 0"
report=$work/sample.out
expect_match "$report" '^SETUP\.EXE: .*/SETUP\.EXE \((32-bit, i386|64-bit, x86-64: not for release[^)]*)\)$'
expect_match "$report" '^KXUN32\.EXE: .*/KXUN32\.EXE \((32-bit, i386|64-bit, x86-64: not for release[^)]*)\)$'
expect_match "$report" '^  Install: PASSED in [0-9.]+ s: the installer ended with its success message "Sample Notepad Setup"'
expect_in "$report" 'Files: 8 of 8 expected installed (Typical, the autopilot'"'"'s default setup type)'
expect_in "$work/sample/install/transcript.txt" 'the program asks for "Sample Notepad Disk 2": inserts disk2'
expect_in "$report" 'pictures of what it showed (8)'
expect_in "$report" '+ C:\Program Files\Sample Notepad\README.TXT'
expect_in "$report" 'Start Menu items (2)'
expect_in "$report" '\Start Menu\Programs\Sample Notepad\Read Me.lnk'
expect_in "$report" ': "Version"="1.0"'
expect_in "$report" '[Settings] TabWidth=4'
expect_in "$report" '| *** Setup Program For Sample Notepad ***'
expect_in "$report" 'no SharedDLLs key'
expect_match "$report" '^  Uninstall: PASSED in [0-9.]+ s: the uninstaller ran to its end: "Sample Notepad was removed."'
# After the removal only the uninstaller itself stays (it is shared between products), and what
# Wine's shell wrote.
expect_match "$report" '^  Left after the removal: [0-9]+ \([0-9]+ expected, 0 not\)$'
expect_in "$report" '+ C:\windows\KXUN32.EXE  expected: the uninstaller stays for other products'
[ -f "$work/sample/install/shots/01-welcome.png" ] || fail "no picture of the welcome page"
expect_in "$work/sample.xml" 'tests="2" failures="0"'

run_test wrong-destination --scenario "$here/wrong-destination.scenario" --uninstall
rc=$?
[ $rc -eq 1 ] || fail "the wrong destination: exit code $rc, expected 1"
expect_in "$work/wrong-destination.out" \
    'the scenario did not hold at step `expect text 101 '"'"'C:\Program Files\Elsewhere'"'"'` (line 8): control 101 shows "C:\\Program Files\\Sample Notepad", expected "C:\\Program Files\\Elsewhere"'
# The removal did not run, so the report tells of nothing it left.
expect_in "$work/wrong-destination.out" 'Uninstall: FAILED: not run: the installation did not pass'
grep -q 'after the removal' "$work/wrong-destination.out" && fail "a removal is reported"

printf 'wait dialog "Welcome"\nfrobnicate Next\n' >"$work/broken.scenario"
run_test broken --scenario "$work/broken.scenario"
rc=$?
[ $rc -eq 2 ] || fail "a broken scenario: exit code $rc, expected 2"
expect_in "$work/broken.out" 'line 2: unknown step "frobnicate"'

printf '%s\r\n' '[Setup]' 'SetupType=Custom' 'ProgramGroup=no' '[Components]' 'Help=no' \
    >"$work/custom.ini"
run_test silent --silent --answers "$work/custom.ini" --uninstall --capacity "$capacity"
rc=$?
[ $rc -eq 0 ] || fail "the silent install: exit code $rc, expected 0"
expect_in "$work/silent.out" "scenario: silent, answers from $work/custom.ini"
expect_in "$work/silent.out" 'Install: PASSED: the silent install ended with outcome: installed (exit code 0)'
expect_in "$work/silent.out" 'Files: 8 of 8 expected installed (the components whose files the run installed: Program Files, Samples)'
expect_in "$work/silent/run.log" 'disk 2: '
expect_match "$work/silent.out" '^  Uninstall: PASSED'
grep -q 'Start Menu items' "$work/silent.out" && fail "a program group was made"

[ $failures -eq 0 ] && echo "setupkit test: all checks passed"
exit $((failures > 0))
