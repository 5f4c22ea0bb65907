#!/usr/bin/env bash
# `setupkit test` as an author runs it, on the sample product:
#   1. the autopilot installs it and the uninstaller removes it: exit 0, a report of the pages,
#      files, Start Menu items, registry, INI entries and log, and a JUnit file;
#   2. a scenario that expects another destination: exit 1, the mismatch named;
#   3. a scenario that does not follow the grammar: exit 2.
#   setupkit-test.sh SETUPKIT SETUP.EXE DRIVER SAMPLE_DIR WORK
set -uo pipefail
setupkit=$1 setup_exe=$2 driver=$3 sample=$4 work=$5
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
expect_in() { grep -Fq -- "$2" "$1" || fail "$1 lacks: $2"; }

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

run_test sample --uninstall --junit "$work/sample.xml"
rc=$?
[ $rc -eq 0 ] || fail "the sample: exit code $rc, expected 0"
report=$work/sample.out
expect_in "$report" 'Install: PASSED: the installer ended with its success message "Sample Notepad Setup"'
expect_in "$report" 'pictures of what it showed (7)'
expect_in "$report" '+ C:\Program Files\Sample Notepad\README.TXT'
expect_in "$report" 'Start Menu items (2)'
expect_in "$report" '\Start Menu\Programs\Sample Notepad\Read Me.lnk'
expect_in "$report" ': "Version"="1.0"'
expect_in "$report" '[Settings] TabWidth=4'
expect_in "$report" '| *** Setup Program For Sample Notepad ***'
expect_in "$report" 'no SharedDLLs key'
expect_in "$report" 'Uninstall: PASSED: the uninstaller ran to its end: "Sample Notepad was removed."'
# After the removal only the uninstaller itself stays (it is shared between products).
remained=$(sed -n '/^What remained after the removal/,/^PASSED/p' "$report" | grep '^  [+*-] ' |
    grep -v -e 'KXUN32\.EXE' -e 'Explorer\\Advanced')
[ -z "$remained" ] || fail "the removal left: $remained"
[ -f "$work/sample/install/shots/01-welcome.png" ] || fail "no picture of the welcome page"
expect_in "$work/sample.xml" 'tests="2" failures="0"'

run_test wrong-destination --scenario "$here/wrong-destination.scenario"
rc=$?
[ $rc -eq 1 ] || fail "the wrong destination: exit code $rc, expected 1"
expect_in "$work/wrong-destination.out" \
    'FAILED at line 8: control 101 shows "C:\\Program Files\\Sample Notepad", expected "C:\\Program Files\\Elsewhere"'

printf 'wait dialog "Welcome"\nfrobnicate Next\n' >"$work/broken.scenario"
run_test broken --scenario "$work/broken.scenario"
rc=$?
[ $rc -eq 2 ] || fail "a broken scenario: exit code $rc, expected 2"
expect_in "$work/broken.out" 'line 2: unknown step "frobnicate"'

[ $failures -eq 0 ] && echo "setupkit test: all checks passed"
exit $((failures > 0))
