# The group chosen from the existing groups is the one the completion made, instead of the
# script's own name.
check_file_contains 'C:\E2EPAGES\setuplog.txt' "CreatedGroup  E2E Existing Group"
if grep -q "E2E Pages Group" "$(check_unix_path 'C:\E2EPAGES\setuplog.txt')" 2>/dev/null; then
    check_fail "the script's own group name was used"
fi
