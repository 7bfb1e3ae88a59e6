#!/usr/bin/env bash
# Word quality and whole-run time of the RTF readers over a corpus of RTF
# files written by current writers (bench/rtf_corpus.sh lists the sources).
# The reference is LibreOffice's plain-text export of each RTF; see
# bench/rtf_words.py for how words are counted and compared.
#
#   bench/rtf_quality.sh [QUORFILTER] [FOLDER]
#     QUORFILTER  default build-release/quorfilter
#     FOLDER      default build-bench/rtf-corpus (outputs are kept there)
#
# Rows: this program's modern reader (--rtf-modern), its exact reader
# (--rtf) and `unrtf --text` (apt-get install unrtf). Time: one quorfilter
# process over all files against one unrtf process per file (what unrtf
# offers), best of 3.
set -euo pipefail
export LC_ALL=C

here=$(cd "$(dirname "$0")" && pwd)
quorfilter=${1:-build-release/quorfilter}
corpus=${2:-build-bench/rtf-corpus}
for tool in unrtf:unrtf python3:python3; do
  if ! command -v "${tool%%:*}" >/dev/null; then
    echo "rtf_quality: ${tool%%:*} missing: apt-get install ${tool#*:}" >&2
    exit 1
  fi
done
[[ -x $quorfilter ]] || { echo "rtf_quality: no $quorfilter" >&2; exit 1; }

bash "$here/rtf_corpus.sh" "$corpus" >&2

# Only files with a reference count: a writer's broken output that
# LibreOffice refuses has none.
files=()
for rtf in "$corpus"/rtf/*.rtf; do
  [[ -s $corpus/ref/$(basename "$rtf" .rtf).txt ]] && files+=("$rtf")
done
mkdir -p "$corpus/out-modern" "$corpus/out-exact" "$corpus/out-unrtf"
for rtf in "${files[@]}"; do
  name=$(basename "$rtf" .rtf)
  "$quorfilter" --encoding=ansi --rtf-modern "$rtf" \
    >"$corpus/out-modern/$name.txt" 2>/dev/null
  "$quorfilter" --encoding=ansi --rtf "$rtf" \
    >"$corpus/out-exact/$name.txt" 2>/dev/null
  unrtf --text "$rtf" >"$corpus/out-unrtf/$name.txt" 2>/dev/null || true
done
python3 "$here/rtf_words.py" "$corpus/ref" \
  "modern=$corpus/out-modern:cp1252" \
  "exact=$corpus/out-exact:cp1252" \
  "unrtf=$corpus/out-unrtf:unrtf"

best_of_3() {
  local best=""
  for _ in 1 2 3; do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    best=$(echo "$start $end ${best:-1e9}" |
      awk '{ t = $2 - $1; print (t < $3 ? t : $3) }')
  done
  echo "$best"
}
unrtf_each() { for rtf in "$@"; do unrtf --text "$rtf"; done; }

bytes=$(cat "${files[@]}" | wc -c)
ours=$(best_of_3 "$quorfilter" --encoding=ansi --rtf-modern "${files[@]}")
theirs=$(best_of_3 unrtf_each "${files[@]}")
echo
echo "| whole run over ${#files[@]} files ($bytes bytes) | s | ratio | max |"
echo "|------------------------------------------|---|-------|-----|"
awk -v o="$ours" -v t="$theirs" 'BEGIN {
  printf "| quorfilter --rtf-modern, one process | %.3f | %.3f | 0.1 |\n", o, o / t
  printf "| unrtf --text, one process per file   | %.3f | 1 | - |\n", t }'
