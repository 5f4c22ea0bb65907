#!/usr/bin/env bash
# make-copy-fixtures.sh SETUPKIT OUTDIR: the files of the copy engine's Wine tests. text.txt
# compressed by Debian's mscompress (text.txt_) and by our own compressor (ours.tx_); both are
# large enough that mscompress's fault with tiny inputs does not matter.
set -euo pipefail
tool=$1
out=$2
mkdir -p "$out"
awk 'BEGIN {
    srand(11)
    for (i = 0; i < 6000; i++)
        printf "line %05d of the copy fixture, value %d\r\n", i, int(rand() * 100000)
}' >"$out/text.txt"
touch -d '2011-11-11 11:11:11' "$out/text.txt"
rm -f "$out/text.txt_"
mscompress "$out/text.txt"
"$tool" compress "$out/text.txt" "$out/ours.tx_"
# Every fixture carries the same last write, so that the tests can tell it was kept.
touch -r "$out/text.txt" "$out/text.txt_" "$out/ours.tx_"
touch "$out/stamp"
