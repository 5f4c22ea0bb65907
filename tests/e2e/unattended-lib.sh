# Shared by the end-to-end scripts that run the programs unattended, without the driver: the
# Wine prefix, failures counted rather than stopping at the first, and the product's quiet
# removal. Sourced; sets wine_run and drive_c.
e2e_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
wine_run=$e2e_here/../wine/wine-run.sh
source "$e2e_here/../wine/wine-env.sh"
source "$e2e_here/uninstall/removal-lib.sh"
setupkit_wine_prefix || exit 1
drive_c=$WINEPREFIX/drive_c
failures=0

fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
# expect_code GOT EXPECTED WHAT
expect_code() { [ "$1" = "$2" ] || fail "$3: exit code $1, expected $2"; }

# remove_quietly PRODUCT: runs the QuietUninstallString of the product's uninstall entry and
# waits until the removal has taken the entry; fails when there is none, when it does not end
# with exit code 0 or when the entry stays.
remove_quietly() {
    local quiet
    quiet=$(uninstall_command "$1" QuietUninstallString)
    [ -n "$quiet" ] || { fail "no QuietUninstallString for $1"; return; }
    "$wine_run" cmd /c "$quiet"
    expect_code $? 0 "the quiet removal of $1"
    wait_until_removed "$1" || fail "the quiet removal of $1 did not take its uninstall entry"
}

# finish NAME: the script's verdict.
finish() {
    [ $failures -eq 0 ] && echo "$1: all checks passed"
    exit $((failures > 0))
}
