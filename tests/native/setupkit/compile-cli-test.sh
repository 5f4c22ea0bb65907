#!/usr/bin/env bash
# setupkit compile and dump as a user runs them: exit codes (0 success, 1 usage, 2 bad input),
# messages on stderr, and that a failing compile leaves no file behind.
# Usage: compile-cli-test.sh SETUPKIT SAMPLE-FOLDER
set -uo pipefail
setupkit=$1
sample=$2
# shellcheck source=/dev/null
source "$(dirname "$0")/cli-test-helpers.sh"

# Usage.
expect_exit 0 "--help" "$setupkit" --help
expect_in out "compile" "--help lists compile"
expect_in out "dump" "--help lists dump"
expect_exit 0 "--version" "$setupkit" --version
expect_in out "setupkit " "--version"
expect_exit 1 "no command" "$setupkit"
expect_exit 1 "compile without -o" "$setupkit" compile "$sample/product.toml"
expect_exit 1 "dump without a file" "$setupkit" dump
expect_exit 1 "unknown option" "$setupkit" dump --frobnicate x

# The sample compiles without a warning; dump, then compile gives the same bytes.
expect_exit 0 "compile sample" "$setupkit" compile "$sample/product.toml" -o "$work/SETUP.INF"
[ -s "$work/err" ] && fail "compile sample: unexpected messages: $(cat "$work/err")"
[ -f "$work/SETUP.INF" ] || fail "compile sample wrote no SETUP.INF"
expect_exit 0 "dump sample" "$setupkit" dump "$work/SETUP.INF"
cp "$work/out" "$work/dumped.toml"
expect_in out 'name = "Sample Notepad"' "dump shows the product"
expect_exit 0 "compile dump" "$setupkit" compile "$work/dumped.toml" -o "$work/AGAIN.INF"
cmp -s "$work/SETUP.INF" "$work/AGAIN.INF" || fail "dump then compile changed the script"

# A faulty description: exit 2, FILE:LINE: field: problem, nothing written, an existing output
# left as it was, no temporary file left behind.
printf '[product]\nname = "X"\n[[install]]\nname = "A"\nsise = 3\n' >"$work/typo.toml"
expect_exit 2 "compile typo" "$setupkit" compile "$work/typo.toml" -o "$work/NEW.INF"
expect_in err "$work/typo.toml:5: install.sise: unknown key" "typo message"
[ -e "$work/NEW.INF" ] && fail "a failing compile wrote its output"
cp "$work/SETUP.INF" "$work/KEPT.INF"
expect_exit 2 "compile typo over a script" "$setupkit" compile "$work/typo.toml" -o "$work/KEPT.INF"
cmp -s "$work/SETUP.INF" "$work/KEPT.INF" || fail "a failing compile changed the existing output"
printf '[welcome]\ntitle = "\xe2\x98\x83"\n' >"$work/snow.toml"
expect_exit 2 "compile non-ANSI" "$setupkit" compile "$work/snow.toml" -o "$work/NEW.INF"
expect_in err "snow.toml:2: welcome.title: character U+2603" "non-ANSI message"
expect_exit 2 "compile missing file" "$setupkit" compile "$work/none.toml" -o "$work/NEW.INF"
[ -e "$work/NEW.INF" ] && fail "a failing compile wrote its output"
leftovers=$(find "$work" -name '.*.tmp*')
[ -n "$leftovers" ] && fail "temporary files left behind: $leftovers"

# A script without a directory compiles, with a warning.
printf '[product]\nname = "X"\n' >"$work/nodir.toml"
expect_exit 0 "compile without directory" "$setupkit" compile "$work/nodir.toml" -o "$work/NODIR.INF"
expect_in err "warning: directory: no [[directory]]" "no-directory warning"
[ -f "$work/NODIR.INF" ] || fail "a warning kept compile from writing"

# Damaged scripts: exit 2 with the error code and the reason.
cp "$work/SETUP.INF" "$work/DAMAGED.INF"
printf '\xff' | dd of="$work/DAMAGED.INF" bs=1 seek=20 conv=notrunc status=none
expect_exit 2 "dump damaged" "$setupkit" dump "$work/DAMAGED.INF"
expect_in err "8000" "damaged: error code"
expect_in err "checksum" "damaged: reason"
[ -s "$work/out" ] && fail "dump of a damaged file printed a description"
printf '\x02\x00\x00\x00\x00\x00' >"$work/VERSION.INF"
expect_exit 2 "dump wrong version" "$setupkit" dump "$work/VERSION.INF"
expect_in err "8000" "wrong version: error code"
expect_exit 2 "dump missing" "$setupkit" dump "$work/NONE.INF"
expect_in err "setupkit dump: $work/NONE.INF: cannot open" "dump missing: one message naming the file"
expect_exit 2 "compile into a missing folder" "$setupkit" compile "$sample/product.toml" \
  -o "$work/none/SETUP.INF"
expect_in err "setupkit compile: $work/none/SETUP.INF" "compile into a missing folder"

finish compile-cli-test
