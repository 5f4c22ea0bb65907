# What the guard scenario's scripts share.
guard_entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\E2E Guard'
shared_dlls='HKLM\Software\Microsoft\Windows\CurrentVersion\SharedDLLs'
system_dir=$(find "$DRIVE_C/windows" -maxdepth 1 -iname system32 -print -quit)

# shared_count NAME: the SharedDLLs value whose name ends in NAME, as "NAME DATA" (nothing when
# there is none).
shared_count() {
    wine reg query "$shared_dlls" 2>/dev/null </dev/null | tr -d '\r' |
        awk -v name="$1" '{ line = $0; sub(/^ +/, "", line) }
            index(toupper(line), toupper(name) "    REG_BINARY") { print line }'
}
