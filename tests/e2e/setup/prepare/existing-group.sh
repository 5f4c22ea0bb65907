# The shell gets a group "E2E Existing Group" over DDE before the program starts, for the
# program-group page to list. e2e_progman is built beside the scenarios' work folders.
wine "$WORK/../e2e_progman.exe" create "E2E Existing Group" >"$WORK/progman.out" 2>&1 </dev/null
status=$?
cat "$WORK/progman.out"
exit $status
