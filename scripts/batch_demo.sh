#!/usr/bin/env bash
# Shows a batch run on the sample letter: its DOS line ends become Unix ones.
set -euo pipefail
program=${1:?usage: batch_demo.sh PATH/TO/quorfilter}
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp "$program" "$work/quorfilter"
cp "$here/resources/sample/brief.txt" "$work/brief.txt"
crs() { tr -cd '\r' < "$1" | wc -c; }

echo "Before: $(wc -c < "$work/brief.txt") bytes, $(crs "$work/brief.txt") CR bytes"
echo "Run:    quorfilter -d:\"$work/brief.txt\" -F208 -c"
"$work/quorfilter" -d:"$work/brief.txt" -F208 -c
echo "After:  $(wc -c < "$work/brief.txt") bytes, $(crs "$work/brief.txt") CR bytes"
echo
iconv -f CP1252 -t UTF-8 "$work/brief.txt"
