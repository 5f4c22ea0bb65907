#!/usr/bin/env bash
# setupkit answers as a user runs it: the product's answer file, in CR LF lines, that
# build --answers takes back; an answer file that does not fit fails the build with its
# problem named and no disks written.
# Usage: answers-cli-test.sh SETUPKIT SAMPLE-FOLDER
set -uo pipefail
setupkit=$1
sample=$2
# shellcheck source=/dev/null
source "$(dirname "$0")/cli-test-helpers.sh"

# Stand-ins for SETUP.EXE and the uninstaller beside it: the layout does not look inside them.
head -c 300000 "$setupkit" >"$work/SETUP.EXE"
head -c 100000 "$setupkit" >"$work/KXUN32.EXE"

expect_exit 0 "answers to stdout" "$setupkit" answers "$sample/product.toml"
expect_in out "SetupType=Typical" "answers give the default type"
expect_in out ";Samples=yes" "answers list each component"
grep -q $'\r$' "$work/out" || fail "answers: lines do not end in CR LF"

expect_exit 0 "answers to a file" "$setupkit" answers "$sample/product.toml" -o "$work/answers.ini"
cmp -s "$work/out" "$work/answers.ini" && fail "answers -o: the file went to stdout as well"
expect_exit 0 "build with its answers" "$setupkit" build "$sample/product.toml" -o "$work/disks" \
  --setup-exe "$work/SETUP.EXE" --answers "$work/answers.ini"
[ -f "$work/disks/disk1/SETUP.INF" ] || fail "build with its answers: no SETUP.INF"

# Custom, with a component the product does not have.
sed -e 's/^SetupType=Typical/SetupType=custom/' -e 's/^;Help=yes/help=no/' \
  "$work/answers.ini" >"$work/custom.ini"
printf 'Manual=yes\r\n' >>"$work/custom.ini"
expect_exit 2 "unknown component" "$setupkit" build "$sample/product.toml" -o "$work/bad" \
  --setup-exe "$work/SETUP.EXE" --answers "$work/custom.ini"
expect_in err "custom.ini: [Components] Manual: the product has no component of this name" \
  "unknown component"
[ -e "$work/bad" ] && fail "a build refused for its answers left $work/bad"

sed -i '/^Manual=yes/d' "$work/custom.ini"
expect_exit 0 "custom answers" "$setupkit" build "$sample/product.toml" -o "$work/custom" \
  --setup-exe "$work/SETUP.EXE" --answers "$work/custom.ini"

finish "answers CLI"
