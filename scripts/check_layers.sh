#!/usr/bin/env bash
# Checks that includes run only down the layers: inside the core from app
# through view, settings, html, files and rtf down to filters; the desktop over the
# core; the program over the core and the desktop part's entry points only.
# Prints every include that runs the other way and fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

core_layers=(filters rtf files html settings view app)

# The folders a file in `folder` may include from.
allowed_for() {
  local folder=$1
  case $folder in
    core/*)
      local layer=${folder#core/} name
      for name in "${core_layers[@]}"; do
        echo "core/$name"
        [ "$name" = "$layer" ] && return
      done
      echo "unknown layer: $folder" >&2
      exit 2
      ;;
    desktop) printf '%s\n' core/ desktop/ ;;
    desktop_module) printf '%s\n' core/ desktop/ desktop_module/ ;;
    program) printf '%s\n' core/ desktop_module/desktop_entry.h program/ ;;
  esac
}

status=0
while IFS= read -r file; do
  folder=$(dirname "$file")
  allowed=$(allowed_for "$folder")
  while IFS= read -r included; do
    ok=0
    while IFS= read -r prefix; do
      [[ $included == "$prefix"* ]] && ok=1 && break
    done <<<"$allowed"
    if [ $ok = 0 ]; then
      echo "$file includes \"$included\""
      status=1
    fi
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
  if [[ $folder == core/* ]] && grep -q '^#include <Q' "$file"; then
    echo "$file includes the toolkit"
    status=1
  fi
done < <(git ls-files 'core/*.h' 'core/*.cpp' 'desktop/*.h' 'desktop/*.cpp' \
  'desktop_module/*.h' 'desktop_module/*.cpp' 'program/*.h' 'program/*.cpp')
exit $status
