#!/usr/bin/env bash
# Answers Yes to the restart question in a Wine prefix of this test alone: the session is
# asked to end, which ends every other program of the prefix, so the prefix is not shared with
# the other tests. It sits beside the tests' prefix (WINEPREFIX, with ".restart" appended) and
# is kept between runs, because making a prefix costs more than the test itself; the test's
# folder in it is emptied before each run, and the prefix's server and display are ended after.
#   restart-test.sh WIN32_COMPLETION_TESTS.EXE
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
program=$1
scratch=$(mktemp -d "${TMPDIR:-/tmp}/setupkit-restart.XXXXXX")
export WINEPREFIX="${WINEPREFIX:?the tests set WINEPREFIX}.restart"
unset SETUPKIT_DISPLAY
source "$here/../../wine/wine-env.sh"

cleanup() {
    setupkit_wine_stop
    wineserver -w >/dev/null 2>&1 </dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

setupkit_wine_prefix || exit 70
setupkit_wine_display || exit 70
# What an earlier run left (its markers would pass for this run's).
rm -rf "$WINEPREFIX/drive_c/setupkit-restart"

wine "$program" --gtest_also_run_disabled_tests \
    --gtest_filter='Completion.DISABLED_RestartAnsweredYesEndsTheSession' \
    >"$scratch/out" 2>"$scratch/err" </dev/null
rc=$?
cat "$scratch/out"
cat "$scratch/err" >&2

# The test program passes, or the session's end ended it too after it had answered Yes: then
# it has not failed up to there, and the other program got the session's end.
folder="$WINEPREFIX/drive_c/setupkit-restart"
if grep -q '\[  PASSED  \] 1 test' "$scratch/out"; then
    exit 0
fi
if grep -q '\[ RUN      \] Completion.DISABLED_RestartAnsweredYesEndsTheSession' "$scratch/out" &&
    ! grep -q 'Failure' "$scratch/out" && [ -f "$folder/asked" ]; then
    if [ -f "$folder/sentinel.end" ]; then
        echo "restart-test: the test program was ended with the session after answering Yes;" \
             "the other program received the session's end"
        exit 0
    fi
    echo "restart-test: the other program never received the session's end" >&2
    exit 1
fi
echo "restart-test: the restart test did not run and pass" >&2
[ $rc -ne 0 ] || rc=1
exit $rc
