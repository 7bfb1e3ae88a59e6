#!/bin/bash
# Runs the completion function on command lines split as bash splits them
# and compares what it offers.
# Usage: check_completion.sh COMPLETION_FILE
set -u
source "$1" || exit 1

# compopt works only while bash itself is completing; record its options.
compopt() { completion_options+=" $*"; }

failed=0
# complete WORD... -- EXPECTED: completes the last WORD of "quorfilter
# WORD..." and checks the offers (sorted, one blank between) and, when
# EXPECTED ends in "[nospace]" or "[filenames]", the option set.
complete_check() {
  local words=(quorfilter) expected offered
  while [[ $1 != -- ]]; do words+=("$1"); shift; done
  shift
  expected=$*
  COMP_WORDS=("${words[@]}")
  COMP_CWORD=$((${#words[@]} - 1))
  COMPREPLY=()
  completion_options=''
  _quorfilter
  offered=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd' ')
  [[ $completion_options == *nospace* ]] && offered+=' [nospace]'
  [[ $completion_options == *filenames* ]] && offered+=' [filenames]'
  if [[ $offered != "$expected" ]]; then
    echo "quorfilter ${words[*]:1}<TAB>: expected \"$expected\", got \"$offered\""
    failed=1
  fi
}

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
touch brief.txt 'Kunde Müller.txt' liste.TXT
mkdir briefe

if [[ $(complete -p quorfilter) != 'complete -F _quorfilter quorfilter' ]]; then
  echo "the completion is not registered for quorfilter"
  failed=1
fi

complete_check --dos -- --dos-to-mac --dos-to-unix
complete_check --upp -- --upper
complete_check --dr -- --drop-digit-words --drop-runs=
complete_check --drop-r -- --drop-runs= [nospace]
complete_check --wr -- --wrap --wrap=
complete_check --enc -- --encoding= [nospace]
complete_check -j -- -j
complete_check -F21 -- -F210 -F211 -F212 -F213 -F214
complete_check --zz --
# "=" is a word break: the value is a word of its own, or "=" is the current.
complete_check --encoding = -- ansi auto utf-8
complete_check --encoding = u -- utf-8
complete_check --encoding = x --
# Without "=" among the word breaks the whole word is replaced.
complete_check --encoding=a -- --encoding=ansi --encoding=auto
complete_check --exclude = -- Kunde Müller.txt brief.txt briefe liste.TXT [filenames]
complete_check --replace = li -- liste.TXT [filenames]
complete_check --output=b -- --output=brief.txt --output=briefe [filenames]
complete_check -o K -- Kunde Müller.txt [filenames]
complete_check --upper b -- brief.txt briefe [filenames]
complete_check --upper '' -- Kunde Müller.txt brief.txt briefe liste.TXT [filenames]
# Numbers and separators have nothing to offer, and are not files.
complete_check -j '' --
complete_check --wrap = '' --
complete_check --nouns = '' --
complete_check --drop-runs = 3 --
exit "$failed"
