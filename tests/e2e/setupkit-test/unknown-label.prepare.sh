# The runner wrote the labels of the disks it built; they are replaced by labels that call the
# second disk otherwise.
labels="$WORK/disk-labels.txt"
grep -qx $'disk2\tTwo Disks 2' "$labels" || { echo "the runner wrote no label of disk2"; exit 1; }
printf 'disk1\tTwo Disks 1\ndisk2\tAnother Disk\n' >"$labels"
