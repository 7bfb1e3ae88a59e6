#!/bin/bash
# The manual page renders without a single warning and holds the sections a
# reader looks for.
# Usage: check_man_page.sh PAGE
set -u
page=$1
rendered=$(mktemp)
trap 'rm -f "$rendered"' EXIT

warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
  man --warnings=w -l -Tutf8 "$page" 2>&1 >"$rendered")
status=$?
if [ "$status" -ne 0 ] || [ -n "$warnings" ]; then
  echo "man -l $page failed (status $status):"
  echo "$warnings"
  exit 1
fi

text=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -P-bcou "$page")
failed=0
for section in NAME SYNOPSIS DESCRIPTION OPTIONS FILES 'EXIT STATUS' EXAMPLES; do
  if ! grep -qx "$section" <<<"$text"; then
    echo "section missing: $section"
    failed=1
  fi
done
exit "$failed"
