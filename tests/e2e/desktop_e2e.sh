#!/usr/bin/env bash
# The real program on a virtual X display: load a small HTML page, press
# "HTML -> Text", "Kopieren" and "Ende" with the mouse, and compare the
# clipboard after the program has ended with a batch run of the same filter.
# Then a run by keyboard alone: load through the file dialog, two filters,
# undo, save under a new name, one more filter, end and leave that change
# unsaved. Exit code 77 skips when tools are missing.
set -euo pipefail
program=${1:?usage: desktop_e2e.sh PATH/TO/quorfilter}

for tool in Xvfb xdotool xclip iconv; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (make deps installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
xvfb_pid=
program_pid=
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The program finds its settings beside itself; none there means defaults,
# with "HTML -> Text" as the first filter button. The page is Windows-1252.
cp "$program" "$work/quorfilter"
cp "$(dirname "$program")/quorfilter-desktop.so" "$work/"
printf '<html><body><h1>Gr&uuml;&szlig;e</h1>\r\n<p>aus <b>K\xf6ln</b> &amp; Bonn</p>\r\n</body></html>\r\n' \
  > "$work/window.txt"
cp "$work/window.txt" "$work/batch.txt"
"$work/quorfilter" -d:"$work/batch.txt" -F3 -c
iconv -f CP1252 -t UTF-8 "$work/batch.txt" > "$work/expected.txt"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" \
  2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

"$work/quorfilter" -d:"$work/window.txt" &
program_pid=$!
window=$(xdotool search --sync --onlyvisible \
  --name '^window\.txt – Quor-Filter 3\.2$' | head -n 1)
sleep 0.5
height=$(xdotool getwindowgeometry "$window" |
  sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')

click() {  # x y in the window's client area
  xdotool mousemove --window "$window" "$1" "$2" click 1
  sleep 0.3
}
click 100 $((10 + 13))            # "HTML -> Text"
click 40 $((height - 94 + 13))    # "Kopieren"
click 40 $((height - 38 + 13))    # "Ende"
# The filtered text is not saved: "Änderungen speichern?" is answered No.
question=$(xdotool search --sync --onlyvisible \
  --name '^window\.txt\* – Quor-Filter 3\.2$' | head -n 1)
start=$(date +%s%N)
xdotool key --window "$question" n

status=0
wait "$program_pid" || status=$?
program_pid=
close_ms=$((($(date +%s%N) - start) / 1000000))
echo "closed ${close_ms} ms after the answer"
# The copy outlives the window; it must not hold the end for seconds.
xclip -o -selection clipboard > "$work/clipboard.txt"
if [ "$close_ms" -ge 1500 ]; then
  echo "FAIL: closing took ${close_ms} ms"
  exit 1
fi
if [ "$status" -ne 0 ]; then
  echo "FAIL: the program ended with status $status"
  exit 1
fi
if ! cmp -s "$work/expected.txt" "$work/clipboard.txt"; then
  echo "FAIL: the clipboard differs from the batch run"
  diff "$work/expected.txt" "$work/clipboard.txt" | head -20
  exit 1
fi
if ! grep -q '^\[Quor-Filter2\]' "$work/quorfilter.INI"; then
  echo "FAIL: no window placement written at the end"
  exit 1
fi
# By keyboard alone. The first button has the focus; without word lists the
# two list buttons are off, so Tab twice reaches "doppelte Wörter", once more
# "überflüssige Leerzeichen", whose result the undo takes back again. After
# the save it runs once more, and "Änderungen speichern?" is answered No.
printf 'eins  eins  zwei  eins\r\n' > "$work/keys.txt"
cp "$work/keys.txt" "$work/keys_batch.txt"
"$work/quorfilter" -d:"$work/keys_batch.txt" -F203 -c
rm -f "$work/quorfilter.INI"

"$work/quorfilter" &
program_pid=$!
window=$(xdotool search --sync --onlyvisible --name '^Quor-Filter 3\.2' |
  head -n 1)
xdotool windowfocus --sync "$window"
sleep 0.5
keys() {  # key names for xdotool, one step each
  xdotool key --delay 100 "$@"
  sleep 0.4
}
dialog() {  # waits for the file dialog with this title, types a path, Enter
  xdotool search --sync --onlyvisible --name "^$1\$" >/dev/null
  sleep 0.5
  xdotool type --delay 20 "$2"
  keys Return
  # Without a window manager nobody hands the focus back to the window.
  xdotool windowfocus --sync "$window"
  sleep 0.3
}
keys ctrl+o
dialog Laden "$work/keys.txt"
keys Tab Tab space
keys Tab space
keys ctrl+z
keys ctrl+s
dialog Speichern "$work/keys_saved.txt"
keys space
keys ctrl+q
sleep 0.5
if ! kill -0 "$program_pid" 2>/dev/null; then
  echo "FAIL: the window ended without asking about the unsaved change"
  exit 1
fi
keys n

for _ in $(seq 50); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$program_pid" 2>/dev/null; then
  echo "FAIL: the keyboard run did not end"
  exit 1
fi
status=0
wait "$program_pid" || status=$?
program_pid=
if [ "$status" -ne 0 ]; then
  echo "FAIL: the keyboard run ended with status $status"
  exit 1
fi
if ! cmp -s "$work/keys_batch.txt" "$work/keys_saved.txt"; then
  echo "FAIL: the keyboard run saved something else than the batch run"
  od -c "$work/keys_batch.txt" | head -5
  od -c "$work/keys_saved.txt" 2>&1 | head -5
  exit 1
fi
echo "PASS"
