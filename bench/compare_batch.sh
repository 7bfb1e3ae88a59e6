#!/usr/bin/env bash
# Times whole batch runs of quorfilter against the Unix tools that do a
# similar job, on the same generated files (German text, and the same dressed
# as HTML and RTF) at each size asked. Each pair runs alternately on a fresh
# copy of the file; the table shows the median seconds of each, the ratio
# ours/theirs, the peak memory of each (from /usr/bin/time -v) and whether our
# run meets its targets:
#   - at the largest size a row runs on, ratio at most 0.5, or 0.8 for the
#     rows against tr, which streams without the whole-file round trip of a
#     batch run (smaller sizes show the ratio without judging it); the tr
#     rows come again with tr writing its result back over the file through
#     a temporary file, as a batch run does, shown without a judgement;
#   - a "-F208" run on the UTF-8 form of the German text takes at most 1.3
#     times as long as the same run on its Windows-1252 bytes (that row's
#     "theirs"); the same without filters, load and save alone, is shown
#     without a judgement;
#   - peak memory at most 3 times the file plus 50 MB;
#   - the largest size takes at most 12 times as long as the smallest when
#     the sizes differ tenfold (the growth table);
#   - the conventional command line in a pipe ("quorfilter --upper <in
#     >out") at most 0.8 times tr doing the same, 0.5 times iconv for
#     "--ansi-to-oem", judged at the largest size like the batch rows;
#   - "quorfilter -i --dos-to-unix" over 2 000 files of 4 KB at most 0.5
#     times "dos2unix -q" over the same files, one process each side, with
#     the floor beside them: new files written and renamed, nothing else;
#   - a run on a 1 KB file, where starting the process is all the work,
#     takes at most 1.5 times as long as dos2unix (median of 51 alternating
#     runs, timed by the shell itself around each process), and the program
#     maps no toolkit library on the way.
# The options are matched as substrings, as the program does: "-F208" runs
# "-F2" first, "-F103" runs "-F1" first; the rows time that.
#
#   bench/compare_batch.sh BUILD/quorfilter [RUNS] [MEGABYTES...]
#
# RUNS defaults to 5, the sizes to 10 and 100. The RTF row runs on sizes up
# to 10 MB only: its peer manages a fraction of a megabyte a second.
set -euo pipefail
export LC_ALL=C

program=${1:?usage: compare_batch.sh PATH/TO/quorfilter [RUNS] [MEGABYTES...]}
runs=${2:-5}
sizes=(10 100)
[ $# -le 2 ] || sizes=("${@:3}")
readonly rtf_max_megabytes=10

build=$(cd "$(dirname "$program")" && pwd)
make_corpus=$build/bench/make_corpus
for tool in dos2unix unix2dos tr iconv awk fmt html2text unrtf /usr/bin/time; do
  command -v "$tool" >/dev/null || {
    echo "compare_batch.sh: $tool is missing (make deps installs it)" >&2
    exit 1
  }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The program's own folder holds no settings file or word lists, so every run
# starts from the defaults.
cp "$program" "$work/quorfilter"
cd "$work"

# Seconds and peak kilobytes of one command (a bash command string) on a fresh
# copy of `source` named `doc`; printed as "SECONDS KILOBYTES".
time_one() {
  local source=$1 command=$2
  cp "$source" doc
  rm -f out doc.new
  sync
  local start end
  start=$(date +%s.%N)
  /usr/bin/time -v -o rusage bash -c "$command" >/dev/null 2>&1 || {
    echo "compare_batch.sh: failed: $command" >&2
    exit 1
  }
  end=$(date +%s.%N)
  local kilobytes
  kilobytes=$(awk -F': ' '/Maximum resident set size/ { print $2 }' rusage)
  awk -v s="$start" -v e="$end" -v k="$kilobytes" \
    'BEGIN { printf "%.4f %d\n", e - s, k }'
}

median() { sort -g | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
maximum() { sort -g | tail -n 1; }

# Our median seconds by "ROW MEGABYTES", and the rows in table order.
declare -A seconds_of
row_names=()
failures=0

# compare NAME RATIO_LIMIT SOURCE OUR_OPTIONS THEIR_COMMAND MEGABYTES LARGEST
#         [THEIR_SOURCE]
# times a batch run "-d:doc OUR_OPTIONS -c" against THEIR_COMMAND.
compare() {
  compare_commands "$1" "$2" "$3" "./quorfilter -d:doc $4 -c" "${@:5}"
}

# compare_commands NAME RATIO_LIMIT SOURCE OUR_COMMAND THEIR_COMMAND MEGABYTES
#                  LARGEST [THEIR_SOURCE]
compare_commands() {
  local name=$1 limit=$2 source=$3 ours=$4 theirs=$5 megabytes=$6
  local largest=$7 their_source=${8:-$3}
  local ours_runs="" theirs_runs=""
  for _ in $(seq "$runs"); do
    ours_runs+="$(time_one "$source" "$ours")"$'\n'
    theirs_runs+="$(time_one "$their_source" "$theirs")"$'\n'
  done
  local o t om tm
  o=$(printf '%s' "$ours_runs" | cut -d' ' -f1 | median)
  t=$(printf '%s' "$theirs_runs" | cut -d' ' -f1 | median)
  om=$(printf '%s' "$ours_runs" | cut -d' ' -f2 | maximum)
  tm=$(printf '%s' "$theirs_runs" | cut -d' ' -f2 | maximum)
  seconds_of["$name $megabytes"]=$o
  [ "$megabytes" != "${sizes[0]}" ] || [ "$limit" = - ] || row_names+=("$name")
  awk -v n="$name" -v mb="$megabytes" -v o="$o" -v t="$t" -v om="$om" \
    -v tm="$tm" -v limit="$limit" -v judged=$((megabytes == largest)) 'BEGIN {
      ratio = o / t
      mem_limit = 3 * mb + 50
      if (limit == "-") {
        printf "| %-30s | %4d | %8.3f | %8.3f | %5.2f |    - | %7.1f | %7.1f |     - | -   |\n",
          n, mb, o, t, ratio, om / 1024, tm / 1024
        exit 0
      }
      verdict = ((!judged || ratio <= limit) && om / 1024 <= mem_limit) ? "yes" : "NO"
      printf "| %-30s | %4d | %8.3f | %8.3f | %5.2f | %4.2f | %7.1f | %7.1f | %5d | %-3s |\n",
        n, mb, o, t, ratio, limit, om / 1024, tm / 1024, mem_limit, verdict
      exit verdict == "NO"
    }' || failures=$((failures + 1))
}

rows() {
  local mb=$1 top=${sizes[-1]}
  local rtf_top=$((top < rtf_max_megabytes ? top : rtf_max_megabytes))
  local upper="'a-z\\344\\366\\374' 'A-Z\\304\\326\\334'"
  local lower="'A-Z\\304\\326\\334' 'a-z\\344\\366\\374'"
  compare "-F208 vs dos2unix" 0.5 "text$mb" -F208 "dos2unix -q doc" "$mb" "$top"
  # Our run on the UTF-8 form of the text against the same run on its
  # Windows-1252 bytes. "-F2" gives code page bytes, so the "-F208" run reads
  # UTF-8 but writes Windows-1252; a run without filters writes UTF-8 back
  # and so has both steps, shown without a judgement.
  compare "-F208 UTF-8 vs Windows-1252" 1.3 "utf8_$mb" -F208 \
    "./quorfilter -d:doc -F208 -c" "$mb" "$top" "text$mb"
  compare "-c only, UTF-8 vs Windows-1252" - "utf8_$mb" "" \
    "./quorfilter -d:doc -c" "$mb" "$top" "text$mb"
  compare "-F209 vs unix2dos" 0.5 "unix$mb" -F209 "unix2dos -q doc" "$mb" "$top"
  compare "-F202 vs tr (upper)" 0.8 "text$mb" -F202 "tr $upper <doc >out" \
    "$mb" "$top"
  compare "-F201 vs tr (lower)" 0.8 "text$mb" -F201 "tr $lower <doc >out" \
    "$mb" "$top"
  compare "-F103 vs tr -d (line breaks)" 0.8 "text$mb" -F103 \
    "tr -d '\\r\\n' <doc >out" "$mb" "$top"
  compare "-F1 vs iconv CP1252 CP850" 0.5 "text$mb" -F1 \
    "iconv -f CP1252 -t CP850 doc >out" "$mb" "$top"
  compare "-F205 vs awk (duplicate lines)" 0.5 "text$mb" -F205 \
    "awk '!seen[\$0]++' doc >out" "$mb" "$top"
  compare "-F204 vs tr -s ' '" 0.8 "text$mb" -F204 "tr -s ' ' <doc >out" \
    "$mb" "$top"
  # The same tr runs writing their result back over the file through a
  # temporary file, as "-c" does; shown, not judged.
  local back="doc.new && mv doc.new doc"
  compare "-F202 vs tr, written back" - "text$mb" -F202 "tr $upper <doc >$back" \
    "$mb" "$top"
  compare "-F201 vs tr, written back" - "text$mb" -F201 "tr $lower <doc >$back" \
    "$mb" "$top"
  compare "-F103 vs tr -d, written back" - "text$mb" -F103 \
    "tr -d '\\r\\n' <doc >$back" "$mb" "$top"
  compare "-F204 vs tr -s, written back" - "text$mb" -F204 \
    "tr -s ' ' <doc >$back" "$mb" "$top"
  compare "-F5 vs fmt -w 70" 0.5 "text$mb" -F5 "fmt -w 70 doc >out" "$mb" "$top"
  compare "-F3 vs html2text" 0.5 "html$mb" -F3 "html2text -nobs -o out doc" \
    "$mb" "$top"
  if [ "$mb" -le "$rtf_max_megabytes" ]; then
    compare "-F4 vs unrtf --text" 0.5 "rtf$mb" -F4 "unrtf --text doc >out" \
      "$mb" "$rtf_top"
  fi
  # The conventional command line in a pipe: standard input to standard
  # output, as the tools it is compared with.
  compare_commands "--upper pipe vs tr" 0.8 "text$mb" \
    "./quorfilter --upper <doc >out" "tr $upper <doc >out" "$mb" "$top"
  compare_commands "--squeeze-blanks pipe vs tr -s" 0.8 "text$mb" \
    "./quorfilter --squeeze-blanks <doc >out" "tr -s ' ' <doc >out" \
    "$mb" "$top"
  compare_commands "--join-lines pipe vs tr" 0.8 "text$mb" \
    "./quorfilter --join-lines <doc >out" "tr '\\r\\n' '  ' <doc >out" \
    "$mb" "$top"
  compare_commands "--ansi-to-oem pipe vs iconv" 0.5 "text$mb" \
    "./quorfilter --ansi-to-oem <doc >out" \
    "iconv -f CP1252 -t CP850 <doc >out" "$mb" "$top"
}

# The start of a process: a 1 KB letter, timed without a helper process
# around each run so that only the run itself counts.
small_file() {
  local runs=51 limit=1.5
  head -c 1024 text_small >small
  local ours="" theirs=""
  for _ in $(seq "$runs"); do
    cp small doc
    local start=$EPOCHREALTIME
    ./quorfilter -d:doc -F208 -c
    ours+="$(awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN { print (e - s) * 1000 }')"$'\n'
    cp small doc
    start=$EPOCHREALTIME
    dos2unix -q doc
    theirs+="$(awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN { print (e - s) * 1000 }')"$'\n'
  done
  local o t toolkit=no
  o=$(printf '%s' "$ours" | median)
  t=$(printf '%s' "$theirs" | median)
  cp small doc
  ! LD_DEBUG=files ./quorfilter -d:doc -F208 -c 2>&1 | grep -q libQt ||
    toolkit=yes
  echo "| row                            | bytes | runs | ours ms | theirs ms | ratio | max | toolkit | ok  |"
  echo "|--------------------------------|-------|------|---------|-----------|-------|-----|---------|-----|"
  awk -v o="$o" -v t="$t" -v runs="$runs" -v limit="$limit" \
    -v toolkit="$toolkit" 'BEGIN {
      ratio = o / t
      verdict = (ratio <= limit && toolkit == "no") ? "yes" : "NO"
      printf "| %-30s |  1024 | %4d | %7.2f | %9.2f | %5.2f | %3.1f | %-7s | %-3s |\n",
        "-F208 vs dos2unix -q, 1 KB", runs, o, t, ratio, limit, toolkit, verdict
      exit verdict == "NO"
    }' || failures=$((failures + 1))
  echo
}

# Many small files in place in one process each side: 2 000 files of 4 KB,
# a fresh copy of the folder for every run.
many_files() {
  local files=2000 limit=0.5
  rm -rf many && mkdir many
  for i in $(seq -w "$files"); do
    head -c $((10#$i * 4096 % 900000 + 4096)) text_small | tail -c 4096 \
      >"many/brief$i.txt"
  done
  local ours="" theirs="" floor="" run=0
  # The disk slows down over the runs of one round, so the three take turns
  # at going first.
  local -a order=(ours theirs floor)
  for _ in $(seq "$runs"); do
    for k in 0 1 2; do
      local which=${order[$(((run + k) % 3))]}
      rm -rf work && cp -r many work && sync
      local start=$EPOCHREALTIME
      case $which in
        ours) ./quorfilter -i --dos-to-unix work/*.txt ;;
        theirs) dos2unix -q work/*.txt ;;
        floor) "$build/bench/new_files_floor" work/*.txt ;;
      esac
      local took
      took="$(awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN { print e - s }')"$'\n'
      case $which in
        ours) ours+=$took ;;
        theirs) theirs+=$took ;;
        floor) floor+=$took ;;
      esac
    done
    run=$((run + 1))
  done
  rm -rf work
  local o t f
  o=$(printf '%s' "$ours" | median)
  t=$(printf '%s' "$theirs" | median)
  f=$(printf '%s' "$floor" | median)
  # "floor": new files written and renamed over the old ones and nothing
  # else (bench/new_files_floor.cpp), what any safe run pays the file
  # system; its ratio to dos2unix is the least ratio a run can reach.
  echo "| row                              | files | runs | ours s | theirs s | ratio | floor s | floor ratio | max | ok  |"
  echo "|----------------------------------|-------|------|--------|----------|-------|---------|-------------|-----|-----|"
  awk -v o="$o" -v t="$t" -v f="$f" -v runs="$runs" -v files="$files" \
    -v limit="$limit" 'BEGIN {
      ratio = o / t
      verdict = ratio <= limit ? "yes" : "NO"
      printf "| %-32s | %5d | %4d | %6.3f | %8.3f | %5.2f | %7.3f | %11.2f | %3.1f | %-3s |\n",
        "-i --dos-to-unix vs dos2unix -q", files, runs, o, t, ratio, f, f / t,
        limit, verdict
      exit verdict == "NO"
    }' || failures=$((failures + 1))
  echo
}

"$make_corpus" text 1 text_small
for mb in "${sizes[@]}"; do
  "$make_corpus" text "$mb" "text$mb"
  tr -d '\r' <"text$mb" >"unix$mb"
  iconv -f WINDOWS-1252 -t UTF-8 "text$mb" >"utf8_$mb"
  "$make_corpus" html "$mb" "html$mb"
  [ "$mb" -gt "$rtf_max_megabytes" ] || "$make_corpus" rtf "$mb" "rtf$mb"
done

small_file
many_files
echo "$runs runs of each, alternately; median seconds, peak memory in MB"
echo
echo "| row                            |   MB | ours s   | theirs s | ratio | max  | ours MB | thrs MB | limit | ok  |"
echo "|--------------------------------|------|----------|----------|-------|------|---------|---------|-------|-----|"
for mb in "${sizes[@]}"; do rows "$mb"; done

# Growth from the smallest to the largest size, where they are tenfold apart.
smallest=${sizes[0]}
largest=${sizes[-1]}
if [ "$largest" -eq $((smallest * 10)) ]; then
  echo
  printf '| %-30s | factor | max | ok  |\n' \
    "growth ${largest} MB / ${smallest} MB (ours)"
  echo "|--------------------------------|--------|-----|-----|"
  for name in "${row_names[@]}"; do
    [ -n "${seconds_of["$name $largest"]:-}" ] || continue
    awk -v n="$name" -v s="${seconds_of["$name $smallest"]}" \
      -v l="${seconds_of["$name $largest"]}" 'BEGIN {
        g = l / s
        printf "| %-30s | %6.2f |  12 | %-3s |\n", n, g, g <= 12 ? "yes" : "NO"
        exit g > 12
      }' || failures=$((failures + 1))
  done
fi

echo
if [ "$failures" -gt 0 ]; then
  echo "$failures target(s) missed"
  exit 1
fi
echo "every target met"
