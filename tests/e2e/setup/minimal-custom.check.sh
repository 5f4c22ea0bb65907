# "Do not create a group" was ticked: the completion makes no group.
check_file 'C:\E2EPAGES\setuplog.txt'
if grep -q "CreatedGroup" "$(check_unix_path 'C:\E2EPAGES\setuplog.txt')" 2>/dev/null; then
    check_fail "a group was created although the user opted out"
fi
