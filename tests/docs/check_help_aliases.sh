#!/bin/bash
# Every -F option the program lists in its help stands in the manual page's
# list with the same button label, and the page lists no other.
# Usage: check_help_aliases.sh PROGRAM PAGE
set -u
program=$1
page=$2

help=$("$program" --help) || { echo "$program --help failed"; exit 1; }
# One "-F<n> <label>" per line, blanks squeezed, from both.
from_help=$(sed -nE 's/^ +(-F[0-9]+) +(.*)$/\1 \2/p' <<<"$help")
from_page=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -P-bcou -rLL=200n "$page" |
  sed -nE 's/^ +(-F[0-9]+) +(.*[^ ]) *$/\1 \2/p' | tr -s ' ')

if [ -z "$from_help" ]; then
  echo "no -F options in the help text"
  exit 1
fi
failed=0
while read -r option label; do
  entry=$(grep -E "^$option " <<<"$from_page")
  case "$entry" in
    "$option $label" | "$option $label "*) ;;
    *) echo "$option: help says \"$label\", page says \"${entry#"$option "}\""
       failed=1 ;;
  esac
done <<<"$from_help"
help_count=$(wc -l <<<"$from_help")
page_count=$(wc -l <<<"$from_page")
if [ "$help_count" -ne "$page_count" ]; then
  echo "the help lists $help_count -F options, the page $page_count"
  failed=1
fi
exit "$failed"
