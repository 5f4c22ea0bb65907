#!/usr/bin/env bash
# Our SZDD files against two independent expanders, and our expander against another
# compressor:
#  - every file that `setupkit compress` makes expands to the original bytes with Debian's
#    msexpand and with libmspack (mspack_expand);
#  - `setupkit expand` reads what Debian's mscompress makes, wherever msexpand itself gets the
#    original back from it (mscompress mangles tiny inputs), and there our file is no larger;
#  - `setupkit expand` refuses malformed input with exit code 2 and leaves no output.
# usage: lz-peers.sh SETUPKIT MSPACK_EXPAND
set -euo pipefail
setupkit=$1
mspack_expand=$2
for tool in mscompress msexpand; do
  command -v "$tool" >/dev/null || { echo "lz-peers: $tool is missing (scripts/bootstrap.sh)"; exit 1; }
done

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Inputs: edge sizes, the window's initial spaces, text, a binary, incompressible and
# repetitive data, sizes around the window and 64 KiB.
mkdir in
: > in/empty
printf x > in/one
printf xy > in/two
printf '%18s' '' > in/spaces18
{ printf '%5000s' ''; echo tail; } > in/spaces-then-text
cat "$root"/src/script/*.cpp "$root"/src/script/*.h "$root"/README.md > in/text
# The first 256 KiB of our own executable: headers, code and tables, many times the 4 KiB
# window and more than 64 KiB. Debian's mscompress and msexpand read or write one byte per
# system call, so every further MiB costs them tens of seconds on a busy machine.
head -c 262144 "$setupkit" > in/binary
gzip -9 -n -c in/binary > in/incompressible
head -c 300000 /dev/zero > in/zeros
for n in 4095 4096 4097 65535 65537; do head -c $n in/binary > in/cut$n; done

for f in in/*; do
  name=$(basename "$f")
  "$setupkit" compress "$f" "$name.sz" || { fail "$name: setupkit compress"; continue; }
  msexpand < "$name.sz" > "$name.msexpand" 2>/dev/null || fail "$name: msexpand failed"
  cmp -s "$f" "$name.msexpand" || fail "$name: msexpand gives other bytes"
  if "$mspack_expand" "$name.sz" "$name.mspack"; then
    cmp -s "$f" "$name.mspack" || fail "$name: libmspack gives other bytes"
  else
    fail "$name: libmspack refused our file"
  fi
  "$setupkit" expand "$name.sz" "$name.ours" || fail "$name: setupkit expand of our file"
  cmp -s "$f" "$name.ours" || fail "$name: setupkit expand gives other bytes"

  cp "$f" "$name.m"
  mscompress "$name.m"
  if msexpand < "$name.m_" 2>/dev/null | cmp -s - "$f"; then
    "$setupkit" expand "$name.m_" "$name.fromms" || fail "$name: setupkit expand of mscompress's file"
    cmp -s "$f" "$name.fromms" || fail "$name: setupkit expand of mscompress's file gives other bytes"
    ours=$(stat -c %s "$name.sz")
    theirs=$(stat -c %s "$name.m_")
    [ "$ours" -le "$theirs" ] || fail "$name: ours $ours bytes, mscompress $theirs"
    echo "$name: $(stat -c %s "$f") bytes -> ours $ours, mscompress $theirs"
  else
    echo "$name: $(stat -c %s "$f") bytes -> ours $(stat -c %s "$name.sz") (mscompress mangles this input)"
  fi
done

# Malformed input: exit code 2, a message naming the file, no output left behind.
expect_refused() { # name file expected-words
  local out status=0
  out=$("$setupkit" expand "$2" "refused.out" 2>&1) || status=$?
  [ "$status" -eq 2 ] || fail "$1: exit code $status, expected 2"
  [[ "$out" == *"$2"*"$3"* ]] || fail "$1: message '$out' lacks the file name and '$3'"
  [ ! -e refused.out ] || fail "$1: output left behind"
  rm -f refused.out
}
expect_refused "plain file" in/text "not an LZ-compressed"
head -c 10 text.sz > cut-header.sz
expect_refused "cut header" cut-header.sz "header is cut short"
head -c 2000 text.sz > cut-data.sz
expect_refused "cut data" cut-data.sz "ends before"
expect_refused "missing file" does-not-exist.sz "cannot open"

if [ "$failures" -ne 0 ]; then
  echo "lz-peers: $failures failure(s)"
  exit 1
fi
echo "lz-peers: all passed"
