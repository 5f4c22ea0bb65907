source "$E2E_DIR/install/checks.sh"

check_same_file 'C:\SPAPP\real.txt' "$WORK/product/files/real.txt"
check_install_log 'C:\SPAPP' "Space Test" <<'LOG'
Created Directory C:\SPAPP
Copied File C:\SPAPP\real.txt
LOG
# The free space shown is the volume's, in K of 1000 bytes: within 1% of what it has now.
shown=$(grep -o 'Drive C: contains [0-9]* KB' "$WORK/transcript.txt" | head -1 | tr -dc 0-9)
free=$(($(df -B1 --output=avail "$DRIVE_C" | tail -1) / 1000))
if [ -z "$shown" ] || [ $((shown > free ? shown - free : free - shown)) -gt $((free / 100)) ]; then
    install_check_fail "the dialog showed ${shown:-nothing} KB free, the volume has $free KB"
fi
