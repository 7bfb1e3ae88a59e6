#!/bin/bash
# Installs the build under a new prefix and checks that man finds the manual
# page and that the completion lies where bash-completion loads it from.
# Usage: check_install.sh CMAKE BUILD_DIR SOURCE_DIR
set -u
cmake=$1
build=$2
source_dir=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

"$cmake" --install "$build" --prefix "$prefix" >/dev/null || exit 1
failed=0
page=$(MANPATH=$prefix/share/man man -w quorfilter 2>/dev/null)
if [[ $page != "$prefix/share/man/man1/quorfilter.1" ]]; then
  echo "man -w quorfilter found \"$page\""
  failed=1
elif ! cmp -s "$page" "$source_dir/program/quorfilter.1"; then
  echo "the installed manual page differs from program/quorfilter.1"
  failed=1
fi
completion=$prefix/share/bash-completion/completions/quorfilter
if ! cmp -s "$completion" "$source_dir/program/quorfilter.bash-completion"; then
  echo "no completion, or another, at $completion"
  failed=1
fi
exit "$failed"
