# A text file where the script should be: its first four bytes are not the version mark.
printf 'This is not a setup script.\r\n' >"$DISK/SETUP.INF"
