# The autopilot stopped at the prompt: it inserted no disk, and the program was ended.
[ ! -s "$WORK/swaps.log" ] || check_fail "a disk was inserted: $(cat "$WORK/swaps.log")"
grep -q '\] ended the program$' "$WORK/transcript.txt" || check_fail "the program was not ended"
check_no_file 'C:\E2ETWO\NOTE.TXT'
