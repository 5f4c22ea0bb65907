# The second disk loses its file: once it is in, SETUP.EXE asks for it again.
rm "$WORK/disks/disk2/NOTE.TXT"
