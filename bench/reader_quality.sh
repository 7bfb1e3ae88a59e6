#!/usr/bin/env bash
# Word precision and recall of the HTML readers on real pages, and the time
# of a whole run over them against html2text.
#
#   bench/reader_quality.sh [QUORFILTER] [PAGES]
#
# The corpus is the first PAGES (150) HTML files under /usr/share/doc in
# byte order of their paths, as Debian's packages ship them; the script
# lists the packages the pages come from, so that a run elsewhere can
# install the same. Each reader's text is compared with the text Python's
# html.parser finds outside head, script, style and template
# (bench/reader_words.py says how words are counted). Readers: the modern
# one (--html-modern), the exact one (--html, with "Moderne Leser=0") and
# html2text (package html2text) with -nobs -utf8.
#
# Speed: one quorfilter process over all pages (best of three) against one
# html2text process per page, timed once.
set -euo pipefail
export LC_ALL=C

here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "${1:-$here/../build-release/quorfilter}")
count=${2:-150}
for tool in html2text python3; do
  if ! command -v "$tool" >/dev/null; then
    echo "reader_quality.sh: $tool is missing (apt-get install $tool)" >&2
    exit 1
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The program beside its own settings file: the exact reader for --html.
cp "$program" "$work/quorfilter"
printf '[Filter]\r\nModerne Leser=0\r\n' >"$work/quorfilter.INI"

find /usr/share/doc -type f \( -name '*.html' -o -name '*.htm' \) |
  sort | head -n "$count" >"$work/pages"
echo "Pages: $(wc -l <"$work/pages"), $(xargs -d '\n' cat <"$work/pages" |
  wc -c) bytes, from the packages:"
xargs -d '\n' dpkg -S <"$work/pages" 2>/dev/null | cut -d: -f1 | tr ',' '\n' |
  sed 's/^ *//' | sort -u | tr '\n' ' ' | fold -s -w 76
echo
echo

mkdir -p "$work/out/modern" "$work/out/exact" "$work/out/html2text"
seconds() { date +%s.%N; }
# Each reader over every page, html2text timed on the way: it is too slow
# on the largest pages to be run again.
html2text_seconds=0
number=0
while IFS= read -r page; do
  "$work/quorfilter" --html-modern "$page" >"$work/out/modern/$number.txt" ||
    true
  "$work/quorfilter" --html "$page" >"$work/out/exact/$number.txt" || true
  start=$(seconds)
  html2text -nobs -utf8 -width 100000 "$page" \
    >"$work/out/html2text/$number.txt" 2>/dev/null || true
  html2text_seconds=$(echo "$html2text_seconds + $(seconds) - $start" | bc -l)
  number=$((number + 1))
done <"$work/pages"
python3 "$here/reader_words.py" "$work/pages" "$work/out" modern exact \
  html2text

mapfile -t pages <"$work/pages"
best=
for _ in 1 2 3; do
  start=$(seconds)
  "$work/quorfilter" --html-modern "${pages[@]}" >/dev/null 2>&1 || true
  run=$(echo "$(seconds) - $start" | bc -l)
  if [ -z "$best" ] || [ "$(echo "$run < $best" | bc -l)" = 1 ]; then
    best=$run
  fi
done
echo
echo "| run over the corpus | seconds |"
echo "|---|---|"
printf '| quorfilter --html-modern, one process (best of 3) | %.3f |\n' "$best"
printf '| html2text, one process per page | %.3f |\n' "$html2text_seconds"
printf '| ratio (max 0.1) | %.4f |\n' \
  "$(echo "$best / $html2text_seconds" | bc -l)"
