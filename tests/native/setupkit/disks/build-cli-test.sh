#!/usr/bin/env bash
# setupkit build as a user runs it: the summary on stdout, progress on stderr only when asked
# (or on a terminal), exit code 2 with a message naming the problem, no disks left behind by
# a failed build, and floppy images that mtools reads back.
# Usage: build-cli-test.sh SETUPKIT SAMPLE-FOLDER
set -uo pipefail
setupkit=$1
sample=$2
# shellcheck source=/dev/null
source "$(dirname "$0")/../cli-test-helpers.sh"

# Stand-ins for SETUP.EXE and the uninstaller found beside it: the layout does not look inside
# them.
head -c 300000 "$setupkit" >"$work/SETUP.EXE"
head -c 100000 "$setupkit" >"$work/KXUN32.EXE"
printf 'MZ' >"$work/TINY.EXE"
cp -r "$sample" "$work/product"
# The sample with one file compressed, on disks of 100000 bytes, without the uninstaller.
sed -e 's/^capacity = .*/capacity = 100000/' -e 's/^source = "files\/help\/using.txt"$/&\ncompressed = true/' \
  -e 's/^\[uninstall\]$/&\nuninstaller = false/' "$sample/product.toml" >"$work/product/small.toml"

expect_exit 0 "help" "$setupkit" build --help
expect_in out "--capacity" "help lists --capacity"
expect_in out "dist/SETUP.EXE" "help names the default SETUP.EXE"

expect_exit 0 "sample" "$setupkit" build "$work/product/product.toml" -o "$work/disks" \
  --setup-exe "$work/SETUP.EXE"
expect_in out "disk1: 11 files," "summary of disk 1"
expect_in out "of 1457664 bytes used" "summary gives the capacity"
[ -s "$work/err" ] && fail "progress without --verbose on a stderr that is not a terminal"
for f in SETUP.EXE SETUP.INF KXUN32.EX_ README.TXT TODO.TXT; do
  [ -f "$work/disks/disk1/$f" ] || fail "sample: disk1/$f missing"
done

# --capacity wins over the description; --verbose shows progress.
expect_exit 0 "small disks" "$setupkit" build "$work/product/small.toml" -o "$work/small" \
  --setup-exe "$work/TINY.EXE" --capacity 2500 --verbose
expect_in err "compressing 1/1" "progress with --verbose"
expect_in out "disk2:" "2500-byte disks: more than one"
expect_in out "of 2500 bytes used" "--capacity wins"
expect_in out "1 file(s) compressed" "summary counts compressed files"
[ -f "$work/small/disk1/USING.TX_" ] || [ -f "$work/small/disk2/USING.TX_" ] ||
  fail "small disks: no USING.TX_ on disk 1 or 2"

# Images: FAT12 floppies that mtools reads back, the same bytes twice.
if command -v mdir >/dev/null; then
  expect_exit 0 "images" "$setupkit" build "$work/product/product.toml" -o "$work/images" \
    --setup-exe "$work/SETUP.EXE" --images
  mdir -i "$work/images/disk1.img" ::/SETUP.INF >/dev/null 2>&1 || fail "images: no SETUP.INF in disk1.img"
  mtype -i "$work/images/disk1.img" ::/README.TXT 2>/dev/null | cmp -s - "$sample/files/readme.txt" ||
    fail "images: README.TXT differs"
  expect_exit 0 "images again" "$setupkit" build "$work/product/product.toml" -o "$work/images2" \
    --setup-exe "$work/SETUP.EXE" --images
  cmp -s "$work/images/disk1.img" "$work/images2/disk1.img" || fail "images: not the same bytes twice"
  expect_exit 2 "images of unlimited disks" "$setupkit" build "$work/product/product.toml" \
    -o "$work/cd" --setup-exe "$work/SETUP.EXE" --images --capacity unlimited
  expect_in err "--images needs a floppy capacity" "images of unlimited disks"
fi

# Bad input: exit 2, the problem named, nothing left behind.
expect_exit 2 "bad capacity" "$setupkit" build "$work/product/product.toml" -o "$work/bad" \
  --setup-exe "$work/SETUP.EXE" --capacity 1.5M
expect_in err "--capacity 1.5M" "bad capacity"
expect_exit 2 "missing SETUP.EXE" "$setupkit" build "$work/product/product.toml" -o "$work/bad" \
  --setup-exe "$work/NOPE.EXE"
expect_in err "NOPE.EXE: cannot open" "missing SETUP.EXE"
expect_exit 2 "missing description" "$setupkit" build "$work/nope.toml" -o "$work/bad" \
  --setup-exe "$work/SETUP.EXE"
head -c 2000000 /dev/zero >"$work/BIG.EXE"
expect_exit 2 "SETUP.EXE too large" "$setupkit" build "$work/product/product.toml" -o "$work/bad" \
  --setup-exe "$work/BIG.EXE"
expect_in err "SETUP.EXE: 2000000 bytes do not fit" "SETUP.EXE too large"
[ -e "$work/bad" ] && fail "a failed build left $work/bad"
ls -a "$work" | grep -q 'setupkit-partial' && fail "a failed build left its partial folder"

# An output folder that is not an earlier build is not replaced.
mkdir -p "$work/mine" && echo keep >"$work/mine/notes.txt"
expect_exit 2 "foreign output" "$setupkit" build "$work/product/product.toml" -o "$work/mine" \
  --setup-exe "$work/SETUP.EXE"
expect_in err "refusing to replace it" "foreign output"
[ -f "$work/mine/notes.txt" ] || fail "foreign output: notes.txt is gone"

# A starter product builds as it is; a folder that holds something is not written into.
expect_exit 0 "new" "$setupkit" new "$work/starter"
expect_exit 0 "build the starter" "$setupkit" build "$work/starter/product.toml" \
  -o "$work/starter/disks" --setup-exe "$work/SETUP.EXE"
[ -s "$work/err" ] && fail "build the starter: unexpected messages: $(cat "$work/err")"
expect_exit 0 "dump the starter" "$setupkit" dump "$work/starter/disks/disk1/SETUP.INF"
expect_in out 'name = "My Product 1.0"' "the starter's definitions are used"
expect_in out 'command = "?D\\docs\\GUIDE.TXT"' "a tree's file in a text"
cp "$work/starter/product.toml" "$work/starter-product.toml"
expect_exit 2 "new into a folder that holds something" "$setupkit" new "$work/starter"
expect_in err "is not empty" "new refuses a folder that holds something"
cmp -s "$work/starter/product.toml" "$work/starter-product.toml" || fail "new changed a file"

# A description's faults found by build name the file and the line.
printf '[[directory]]\npath = "C:\\\\A"\n[[install]]\nname = "A.TXT"\nsource = "files/license.txt"\ndirectory = 3\n' \
  >"$work/product/baddir.toml"
expect_exit 2 "item in no directory" "$setupkit" build "$work/product/baddir.toml" -o "$work/bad" \
  --setup-exe "$work/SETUP.EXE"
expect_in err "$work/product/baddir.toml:6: install.directory: there is no directory 3" \
  "item in no directory"

finish build-cli-test
