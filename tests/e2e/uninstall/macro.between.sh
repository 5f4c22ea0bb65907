# Both levels of the destination were created, and the log says so.
log="$DRIVE_C/RMMACRO/LEVEL/setuplog.txt"
grep -qF $'Created Directory C:\\RMMACRO\r' "$log" && grep -qF $'Created Directory C:\\RMMACRO\\LEVEL\r' "$log" ||
    { echo "the log does not list both directory levels:"; cat "$log"; exit 1; }
