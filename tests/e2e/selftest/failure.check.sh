# What a failed run leaves: the transcript lists the program's windows with their controls,
# the screen's picture is kept, and the program that the driver started was ended.
transcript="$WORK/transcript.txt"
grep -q '^\[ *[0-9.]*\] windows of the program:$' "$transcript" || check_fail "no list of windows"
grep -q 'window 0x[0-9A-F]* "Driver Self-Test" class "#32770"' "$transcript" ||
    check_fail "the dialog is not in the list"
grep -q '^ *108 Static ' "$transcript" || check_fail "the dialog's controls are not listed"
grep -q '\] ended the program$' "$transcript" || check_fail "the program was not ended"
[ -s "$WORK/shots/failure.png" ] || check_fail "no picture of the screen"
