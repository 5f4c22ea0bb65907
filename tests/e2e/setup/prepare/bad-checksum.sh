# The version mark is right, the checksum is not: the stored word is 0, and the CRC of the
# body "damaged" is 0x2B06.
printf '\001\000\000\000\000\000damaged' >"$DISK/SETUP.INF"
