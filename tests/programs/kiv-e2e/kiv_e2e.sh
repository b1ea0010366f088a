#!/usr/bin/env bash
# kiv_e2e.sh <kiv> <clipboard-peek>: on a private Xvfb display, takes a screenshot on a first
# run, which waits on no question; then uses kiv as a person would: types Japanese and ASCII
# text, copies it with accelerators, toggles word wrap through the soft-key menu and exits
# through the File menu, discarding the text.
set -euo pipefail
kiv=$1
peek=$2
source "$(dirname "$0")/../support/private_display.sh"
require_tools Xvfb xdotool

start_kiv_session

# A first run asks about the desktop association, but a screenshot run answers it No without
# showing it and ends by itself.
KIV_PROGRAM_DIR="$work/first-run" timeout 60 "$kiv" --screenshot "$work/first.png" \
  2>"$work/err.txt" || { echo "kiv --screenshot on a first run did not end well"; exit 1; }
[ "$(head -c 4 "$work/first.png" | od -An -c | tr -d ' ')" = "211PNG" ] ||
  { echo "no PNG from the first run"; exit 1; }
grep -qx 'first=1' "$work/first-run/kiv.ini" || { echo "the first run was not recorded"; exit 1; }

fail() {
  echo "$1"; cat "$work/err.txt"; exit 1
}

# The editor's text, through Select All and Copy, as a second program sees the clipboard.
copied() {
  xdotool key ctrl+a ctrl+c
  sleep 0.3
  "$peek"
}

expect_text() {
  local got
  got=$(copied)
  [ "$got" = "$1" ] || fail "text: expected [$1], got [$got]"
}

# Opens the popup of soft key F1 or F2 and picks an item with the arrow keys.
menu() {
  open_popup "$1"
  shift
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.1
  done
  sleep 0.3
}

"$kiv" 2>"$work/err.txt" &
kiv_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name "^kiv$" | head -n 1) ||
  fail "no kiv window"
xdotool windowfocus --sync "$window"
sleep 0.5
expect_title "kiv"

# xdotool maps each Japanese character onto a spare key code first; one at a time, with room
# for the key map to settle, none is lost.
for ch in 日 本 語 と; do
  xdotool type --delay 150 "$ch"
  sleep 0.15
done
xdotool type --delay 40 "ASCII text"
expect_title "kiv*"
expect_text "日本語とASCII text"

# A long line wraps: Home goes to the start of its last screen row.
xdotool key ctrl+End Return
xdotool type --delay 2 "$(printf 'a%.0s' $(seq 300))"
xdotool key Home
xdotool type "X"
second=$(copied | sed -n 2p)
[ "${second%%X*}" != "" ] || fail "the long line did not wrap"

# Menu > View > Word Wrap: the same line is one row now, so Home goes to its start.
menu F2 Down Down Down Down Down Right Down Down Return
xdotool key ctrl+End Home
xdotool type "Y"
second=$(copied | sed -n 2p)
[ "${second:0:1}" = "Y" ] || fail "word wrap did not go off: [${second:0:20}...]"

# Menu > Tools > About... (the last item of the last popup) shows the About box over the
# frame; its "OK" soft key, clicked with the pointer, closes it and the text takes keys again.
menu F2 Up Right Up Return
about=$(timeout 10 xdotool search --sync --onlyvisible --name "^About kiv$" | head -n 1) ||
  fail "no About box"
eval "$(xdotool getwindowgeometry --shell "$about")"
xdotool mousemove $((X + 20)) $((Y + HEIGHT - 8)) click 1
for _ in $(seq 50); do
  xdotool search --onlyvisible --name "^About kiv$" >/dev/null || break
  sleep 0.1
done
xdotool search --onlyvisible --name "^About kiv$" >/dev/null && fail "the About box stayed open"
xdotool key ctrl+End
xdotool type "Z"
last=$(copied | tail -n 1)
[ "${last: -1}" = "Z" ] || fail "the text lost the keys after About: [${last: -20}]"

# File > Exit (the last item) ends the program once the question about the changed text is
# answered No.
menu F1 Up Return
answer_no_to_saving
expect_ended "$kiv_pid" "kiv on File > Exit"
echo "kiv end-to-end: all passed"
