#!/bin/bash
# The manual page, the bash completion and the README name the same long
# options.
# Usage: check_option_lists.sh COMPLETION_FILE PAGE README
set -u
source "$1" || exit 1
page=$2
readme=$3
compopt() { :; }

# Every long option the completion offers, without its "=".
COMP_WORDS=(quorfilter --)
COMP_CWORD=1
COMPREPLY=()
_quorfilter
completed=$(printf '%s\n' "${COMPREPLY[@]}" | grep -- '^--' | sed 's/=$//' |
  LC_ALL=C sort -u)
# Every long option the page names anywhere.
documented=$(sed 's/\\-/-/g' "$page" | grep -oE -- '--[a-z][a-z0-9-]*' |
  LC_ALL=C sort -u)

failed=0
if [[ $completed != "$documented" ]]; then
  echo "completion and manual page differ (< completion, > page):"
  diff <(echo "$completed") <(echo "$documented") | grep '^[<>]'
  failed=1
fi
# The README's table of filter options, and its text for the others.
while read -r option; do
  if ! grep -qF -- "\`$option" "$readme"; then
    echo "README does not name $option"
    failed=1
  fi
done <<<"$completed"
tabled=$(grep -oE -- '^\| `--[a-z][a-z0-9-]*' "$readme" | cut -c4- | LC_ALL=C sort -u)
unknown=$(LC_ALL=C comm -23 <(echo "$tabled") <(echo "$completed"))
if [[ -n $unknown ]]; then
  echo "README's table names options nobody else knows:" $unknown
  failed=1
fi
exit "$failed"
