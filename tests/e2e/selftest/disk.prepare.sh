# Two disks, each with a label file that the self-test program reads from A:.
echo "first disk" >"$DISK/LABEL.TXT"
mkdir -p "$WORK/disk2"
echo "second disk" >"$WORK/disk2/LABEL.TXT"
