# Between installation and removal somebody who can write the product's folder adds a line to
# the removal record, naming a file of the system as the product's.
record=$(ls "$DRIVE_C"/RMAPP/setuprec-*.txt)
printf 'file\tC:\\windows\\win.ini\t0\t0\t1\t1\r\n' >>"$record"
