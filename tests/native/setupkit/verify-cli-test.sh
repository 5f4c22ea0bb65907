#!/usr/bin/env bash
# setupkit verify as a user runs it, on the sample's disks built on disks only 40,000 bytes
# larger than SETUP.EXE, where the compressed uninstaller is split over disks 1 and 2: the sound set passes; a missing piece, a truncated
# compressed file, a 64-bit SETUP.EXE and one that does not ask to run as administrator are
# faults (exit 1), each reported with its file; a
# folder without a disk set cannot be verified (exit 2).
# Usage: verify-cli-test.sh SETUPKIT SAMPLE-FOLDER SETUP-EXE
# SETUP-EXE is the shipped i686 SETUP.EXE (its KXUN32.EXE is found from it); without it the test
# is skipped (exit 77).
set -uo pipefail
setupkit=$1
sample=$2
setup_exe=$3
if [ ! -f "$setup_exe" ]; then
  echo "verify CLI: no SETUP.EXE at $setup_exe (the Win32 sub-build makes it): skipped"
  exit 77
fi
# shellcheck source=/dev/null
source "$(dirname "$0")/cli-test-helpers.sh"

capacity=$(($(stat -c %s "$setup_exe") + 40000))
build() { # build DISKS [DESCRIPTION]
  "$setupkit" build "${2:-$sample/product.toml}" -o "$1" --capacity "$capacity" \
    --setup-exe "$setup_exe" >/dev/null || fail "build $1"
}
# A copy of the sound set to spoil.
spoiled() {
  rm -rf "$work/$1"
  cp -r "$work/sound" "$work/$1"
}

build "$work/sound"
expect_exit 0 "sound set" "$setupkit" verify "$work/sound"
expect_in out "programs: SETUP.EXE, KXUN32.EXE: 32-bit Windows GUI programs" "sound set"
expect_in out "(1 split)" "sound set: the uninstaller is split"
[ "$(tail -n 1 "$work/out")" = "sound" ] || fail "sound set: the verdict is not 'sound'"

piece=disk2/KXUN32.~01
[ -f "$work/sound/$piece" ] || fail "the sample's layout changed: no $piece to spoil"

spoiled missing
rm -f "$work/missing/$piece"
expect_exit 1 "missing piece" "$setupkit" verify "$work/missing"
expect_in out "fault: $piece: missing (piece 2 of 2 of KXUN32.EX_)" "missing piece"
expect_in out "not sound: 1 fault" "missing piece"

# The last piece cut in half: the joined data ends before the length in the header.
spoiled truncated
truncate -s $(($(stat -c %s "$work/truncated/$piece") / 2)) "$work/truncated/$piece"
length=$(od -An -tu4 -j10 -N4 "$work/sound/disk1/KXUN32.EX_" | tr -d ' ')
grouped=$(echo "$length" | sed ':a;s/\B[0-9]\{3\}\>/,&/;ta') # 146958 -> 146,958
expect_exit 1 "truncated file" "$setupkit" verify "$work/truncated"
expect_in out "fault: disk1/KXUN32.EX_ (joined with $piece): truncated: the header gives \
$grouped bytes, it expands to " "truncated file"

# SETUP.EXE made a PE32+ x86-64 program by its header alone: the machine field after "PE\0\0"
# becomes 0x8664 and the optional header's magic 0x20b.
spoiled wide
pe=$(od -An -tu4 -j60 -N4 "$work/wide/disk1/SETUP.EXE" | tr -d ' ')
printf '\x64\x86' | dd of="$work/wide/disk1/SETUP.EXE" bs=1 seek=$((pe + 4)) conv=notrunc status=none
printf '\x0b\x02' | dd of="$work/wide/disk1/SETUP.EXE" bs=1 seek=$((pe + 24)) conv=notrunc status=none
expect_exit 1 "64-bit SETUP.EXE" "$setupkit" verify "$work/wide"
expect_in out "fault: disk1/SETUP.EXE: a 64-bit program (PE32+, x86-64); SETUP.EXE must be \
32-bit (PE32, i386)" "64-bit SETUP.EXE"

# A SETUP.EXE whose manifest asks for no more than the user's rights: the same length of text,
# so that the resource stays whole.
spoiled invoker
sed -i 's/level="requireAdministrator"/level="asInvoker"          /' "$work/invoker/disk1/SETUP.EXE"
expect_exit 1 "SETUP.EXE as invoker" "$setupkit" verify "$work/invoker"
expect_in out "fault: disk1/SETUP.EXE: its manifest does not ask to run as administrator" \
  "SETUP.EXE as invoker"

# Without the uninstaller the set is sound all the same.
cp -r "$sample" "$work/plain"
sed -i '/^\[uninstall\]/a uninstaller = false' "$work/plain/product.toml"
build "$work/plain-disks" "$work/plain/product.toml"
expect_exit 0 "set without the uninstaller" "$setupkit" verify "$work/plain-disks"
expect_in out "programs: SETUP.EXE: 32-bit Windows GUI programs that run as administrator (no uninstaller in the set)" \
  "set without the uninstaller"

mkdir -p "$work/empty"
expect_exit 2 "no disk set" "$setupkit" verify "$work/empty"
expect_in err "setupkit verify: $work/empty: not a disk set: there is no disk1/SETUP.INF" \
  "no disk set"

finish "verify CLI"
