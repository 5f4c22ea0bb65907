# Between installation and removal the log's first line is overwritten.
sed -i '1s/.*/garbage\r/' "$DRIVE_C/RMAPP/setuplog.txt"
