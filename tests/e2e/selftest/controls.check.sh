# The self-test program wrote down what the dialog held when OK was pressed, beside itself on
# the disk; the pictures that the scenario asked for were converted for viewing.
check_file_text "$DISK/RESULT.TXT" 'name=C:\Program Files\Thing!
remember=1
size=Large
fruit=Cherry
count=Two
options=Gamma
finished-by=ok
'
check_file_contains "$DISK/RESULT.TXT" "size=Large"
for shot in start options question saved; do
    [ -s "$WORK/shots/$shot.png" ] || check_fail "no picture $shot.png"
done
