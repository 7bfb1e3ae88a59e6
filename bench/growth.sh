#!/usr/bin/env bash
# Reads the CSV that quorbench writes with --benchmark_out_format=csv and
# prints, for every benchmark run at 10 and at 100 MB, how many times longer
# the 100 MB run took (CPU time), against the limit of 12. Exits 1 when a
# benchmark grows faster. Benchmarks on texts made to be hard for a filter
# ("stress_" in the name) are shown but not judged: the limit is for German
# text, HTML and RTF.
#
#   bench/growth.sh RESULTS.csv
set -euo pipefail
export LC_ALL=C

csv=${1:?usage: growth.sh RESULTS.csv}
printf '| %-44s | factor | max | ok  |\n' "growth 100 MB / 10 MB (CPU time)"
echo "|----------------------------------------------|--------|-----|-----|"
awk -F, '
  /^"BM_/ {
    name = $1
    gsub(/"/, "", name)
    size = name
    sub(/.*[\/:]/, "", size)
    base = substr(name, 1, length(name) - length(size))
    if (size == "10") small[base] = $4
    if (size == "100") { large[base] = $4; order[++count] = base }
  }
  END {
    failed = 0
    for (i = 1; i <= count; ++i) {
      base = order[i]
      if (!(base in small) || small[base] <= 0) continue
      g = large[base] / small[base]
      ok = g <= 12
      judged = base !~ /stress_/
      failed += judged && !ok
      label = base
      sub(/\/(MB:)?$/, "", label)
      verdict = !judged ? "-" : ok ? "yes" : "NO"
      printf "| %-44s | %6.2f |  12 | %-3s |\n", label, g, verdict
    }
    exit failed > 0
  }' "$csv"
