#!/usr/bin/env bash
# Saves a picture of the main window showing the sample letter as
# resources/screenshot.png. The program draws the picture itself when
# QUOR_SCREENSHOT names a file, so no screen-capture tool is needed; it runs
# on a virtual X display when Xvfb is there, else on Qt's offscreen platform.
set -euo pipefail
program=${1:?usage: screenshot.sh PATH/TO/quorfilter}
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A fresh folder: default settings and the default window placement.
cp "$program" "$work/quorfilter"
cp "$(dirname "$program")/quorfilter-desktop.so" "$work/"
cp "$here/resources/sample/brief.txt" "$work/brief.txt"

unset WAYLAND_DISPLAY
if command -v Xvfb >/dev/null; then
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" \
    2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$work/display")"
  unset QT_QPA_PLATFORM
else
  export QT_QPA_PLATFORM=offscreen
fi

QUOR_SCREENSHOT="$work/screenshot.png" "$work/quorfilter" \
  -d:"$work/brief.txt"
cp "$work/screenshot.png" "$here/resources/screenshot.png"
echo "Saved $here/resources/screenshot.png"
