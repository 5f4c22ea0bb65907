# The self-test program wrote down what the dialog held when OK was pressed.
set -u
result="$DISK/RESULT.TXT"
expected=$'name=C:\\Program Files\\Thing!\nremember=1\nsize=Large\nfruit=Cherry\ncount=Two\nfinished-by=ok'
if [ ! -f "$result" ]; then
    echo "no $result"
    exit 1
fi
if [ "$(cat "$result")" != "$expected" ]; then
    echo "RESULT.TXT holds:"; cat "$result"
    echo "expected:"; echo "$expected"
    exit 1
fi
# The pictures that the scenario asked for, converted for viewing.
for shot in start question saved; do
    [ -s "$WORK/shots/$shot.png" ] || { echo "no picture $shot.png"; exit 1; }
done
