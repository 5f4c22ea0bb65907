# Only the header: version 1 and checksum 0, which is right for an empty body. The header
# fields that must follow are missing, and the loader must not read past the end.
printf '\001\000\000\000\000\000' >"$DISK/SETUP.INF"
