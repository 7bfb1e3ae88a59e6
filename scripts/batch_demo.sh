#!/usr/bin/env bash
# Shows a batch run on the sample letter: its long paragraphs are wrapped at
# 70 characters, the default of "Umbruch Zeichen".
set -euo pipefail
program=${1:?usage: batch_demo.sh PATH/TO/quorfilter}
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp "$program" "$work/quorfilter"
cp "$here/resources/sample/brief.txt" "$work/brief.txt"
widest() { tr -d '\r' < "$1" | awk '{ if (length($0) > w) w = length($0) } END { print w }'; }

echo "Before: $(wc -l < "$work/brief.txt") lines, the longest $(widest "$work/brief.txt") bytes"
echo "Run:    quorfilter -d:\"$work/brief.txt\" -F5 -c"
"$work/quorfilter" -d:"$work/brief.txt" -F5 -c
echo "After:  $(wc -l < "$work/brief.txt") lines, the longest $(widest "$work/brief.txt") bytes"
echo
iconv -f CP1252 -t UTF-8 "$work/brief.txt"
