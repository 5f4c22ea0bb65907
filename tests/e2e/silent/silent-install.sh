#!/usr/bin/env bash
# Unattended installs as a deployment tool runs them: SETUP.EXE /silent with an answer file,
# no window, then the files, the exit code and the run's log are checked.
#   silent-install.sh SETUPKIT SETUP.EXE SAMPLE_PRODUCT TWO_DISK_PRODUCT WORK
set -uo pipefail
setupkit=$1 setup_exe=$2 sample=$3 two_disks=$4 work=$5
source "$(dirname "${BASH_SOURCE[0]}")/../unattended-lib.sh"
expect_log() { grep -qF -- "$2" "$1" || { fail "the log $1 lacks: $2"; cat "$1"; }; }

rm -rf "$work" "$drive_c/SILENT" "$drive_c/Silent Dest" "$drive_c/E2ETWO"
mkdir -p "$work" "$drive_c/SILENT"
"$setupkit" build "$sample" -o "$drive_c/SILENT/sample" --setup-exe "$setup_exe" >/dev/null ||
    exit 1
"$setupkit" build "$two_disks" -o "$drive_c/SILENT/two" --setup-exe "$setup_exe" >/dev/null ||
    exit 1

# A destination with blanks, a custom choice of components and no program group.
printf '%s\r\n' '[Setup]' 'Destination=C:\Silent Dest\Sample Notepad' 'SetupType=custom' \
    'ProgramGroup=no' '[Components]' 'Program Files=yes' 'Help=no' 'Samples=YES' \
    >"$drive_c/SILENT/custom.ini"
"$wine_run" 'C:\SILENT\sample\disk1\SETUP.EXE' /silent '/answers:C:\SILENT\custom.ini' \
    '/log:C:\SILENT\custom.log'
expect_code $? 0 "the custom install"
app="$drive_c/Silent Dest/Sample Notepad"
files=$(dirname "$sample")/files
[ -f "$app/SNOTEPAD.INI" ] || fail "SNOTEPAD.INI was not installed" # its entries are written
for pair in README.TXT:readme.txt TEMPLATE.DAT:template.dat \
    LICENSE.TXT:license.txt SAMPLES/LETTER.TXT:samples/letter.txt SAMPLES/TODO.TXT:samples/todo.txt; do
    cmp -s "$app/${pair%%:*}" "$files/${pair#*:}" || fail "${pair%%:*} is not the product's file"
done
for file in USING.TXT KEYS.TXT; do
    [ ! -e "$app/$file" ] || fail "$file of the component not chosen was installed"
done
find "$drive_c" -ipath '*start menu*' -iname 'Sample Notepad*' | grep -q . &&
    fail "a program group was made though the answers said no"
expect_log "$drive_c/SILENT/custom.log" "outcome: installed (exit code 0)"

# Removed again by the registered quiet command, so that no later test finds this product.
remove_quietly 'Sample Notepad'
[ ! -e "$app" ] || fail "the quiet removal left $app"

# A component the product does not have: code 4, the line of the file, nothing installed.
printf '%s\r\n' '[Setup]' 'Destination=C:\SILENT\NOTHING' 'SetupType=Custom' '[Components]' \
    'Manual=yes' >"$drive_c/SILENT/bad.ini"
"$wine_run" 'C:\SILENT\sample\disk1\SETUP.EXE' /silent '/answers:C:\SILENT\bad.ini' \
    '/log:C:\SILENT\bad.log'
expect_code $? 4 "the unknown component"
expect_log "$drive_c/SILENT/bad.log" "[Components] Manual: the product has no component of this name"
[ ! -e "$drive_c/SILENT/NOTHING" ] || fail "a bad answer file still installed"
# A key the answer files do not have: code 4 as well.
printf '%s\r\n' '[Setup]' 'Destination=C:\SILENT\NOTHING' 'Colour=blue' >"$drive_c/SILENT/bad.ini"
"$wine_run" 'C:\SILENT\sample\disk1\SETUP.EXE' /silent '/answers:C:\SILENT\bad.ini' \
    '/log:C:\SILENT\bad.log'
expect_code $? 4 "the unknown key"
expect_log "$drive_c/SILENT/bad.log" "[Setup] Colour:"
[ ! -e "$drive_c/SILENT/NOTHING" ] || fail "an answer file with an unknown key still installed"

# Two disks: the second one missing gives code 5 and names where it was looked for; found in
# the folder the command line gives, the rerun completes.
mv "$drive_c/SILENT/two/disk2" "$drive_c/SILENT/elsewhere"
"$wine_run" 'C:\SILENT\two\disk1\SETUP.EXE' /silent '/log:C:\SILENT\two.log'
expect_code $? 5 "the missing disk"
expect_log "$drive_c/SILENT/two.log" 'disk 2 is not in C:\SILENT\two\disk2'
"$wine_run" 'C:\SILENT\two\disk1\SETUP.EXE' /silent '/disks:C:\SILENT\elsewhere' \
    '/log:C:\SILENT\two.log'
expect_code $? 0 "the disk in a folder of the command line"
[ -f "$drive_c/E2ETWO/NOTE.TXT" ] || fail "the second disk's file was not installed"
expect_log "$drive_c/SILENT/two.log" 'disk 2: C:\SILENT\elsewhere'

# A full destination drive (D:, a tmpfs filled up): code 1 and the drive named, nothing
# written there; with room made, the rerun installs.
full=$work/drive-d
mkdir -p "$full"
if mount -t tmpfs -o size=1m tmpfs "$full" 2>/dev/null; then
    trap 'rm -f "$WINEPREFIX/dosdevices/d:"; umount "$full" 2>/dev/null || umount -l "$full"' EXIT
    ln -sfn "$full" "$WINEPREFIX/dosdevices/d:"
    cat /dev/zero >"$full/other.bin" 2>/dev/null
    printf '%s\r\n' '[Setup]' 'Destination=D:\Sample' >"$drive_c/SILENT/full.ini"
    "$wine_run" 'C:\SILENT\sample\disk1\SETUP.EXE' /silent '/answers:C:\SILENT\full.ini' \
        '/log:C:\SILENT\full.log'
    expect_code $? 1 "the full destination"
    expect_log "$drive_c/SILENT/full.log" "not enough space: "
    [ ! -e "$full/Sample" ] || fail "the full drive got $(ls -R "$full/Sample")"
    rm -f "$full/other.bin"
    "$wine_run" 'C:\SILENT\sample\disk1\SETUP.EXE' /silent '/answers:C:\SILENT\full.ini' \
        '/log:C:\SILENT\full.log'
    expect_code $? 0 "the rerun with room"
    cmp -s "$full/Sample/README.TXT" "$files/readme.txt" || fail "the rerun did not install"
    remove_quietly 'Sample Notepad'
else
    echo "no tmpfs can be mounted here (needs root): the full destination is not tried"
fi

rm -rf "$drive_c/SILENT" "$drive_c/E2ETWO"
finish "silent installs"
