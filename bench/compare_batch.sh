#!/usr/bin/env bash
# Times whole batch runs of quorfilter against the Unix tools that do a
# similar job, on the same generated file. Each pair runs alternately; the
# table shows the median seconds of each and the ratio ours/theirs.
#
#   bench/compare_batch.sh BUILD/quorfilter [MEGABYTES] [RUNS]
set -euo pipefail
program=${1:?usage: compare_batch.sh PATH/TO/quorfilter [MEGABYTES] [RUNS]}
megabytes=${2:-100}
runs=${3:-5}
build=$(dirname "$program")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/make_corpus" "$megabytes" "$work/corpus.txt"
cp "$program" "$work/quorfilter"

# Seconds taken by one command on a fresh copy of the corpus.
time_one() {
  cp "$work/corpus.txt" "$work/doc.txt"
  sync
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" 'BEGIN { printf "%.4f\n", e - s }'
}

median() { sort -g | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

compare() {
  local name=$1 ours=$2 theirs=$3 ours_times="" theirs_times=""
  for _ in $(seq "$runs"); do
    ours_times+="$(time_one bash -c "$ours")"$'\n'
    theirs_times+="$(time_one bash -c "$theirs")"$'\n'
  done
  local o t
  o=$(printf '%s' "$ours_times" | median)
  t=$(printf '%s' "$theirs_times" | median)
  printf '%-34s %9.3f %9.3f %7.2f\n' "$name" "$o" "$t" "$(awk -v o="$o" -v t="$t" 'BEGIN { print o / t }')"
}

cd "$work"
echo "corpus: ${megabytes} MB, ${runs} runs each, median seconds"
printf '%-34s %9s %9s %7s\n' "row" "ours" "theirs" "ratio"
compare "-F208 vs dos2unix" \
  "./quorfilter -d:doc.txt -F208 -c" "dos2unix -q doc.txt"
