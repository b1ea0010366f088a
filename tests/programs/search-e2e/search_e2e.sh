#!/usr/bin/env bash
# search_e2e.sh <kiv> <clipboard-peek> <screen_grab.py>: starts kiv on a private Xvfb display
# with a file and uses its bars as a person would: Find and Find Up from the soft keys and the
# accelerators, Replace, Replace All with its count message, Go To; saves and compares the bytes
# on disk. A second copy with the same program folder then finds in its own file with what the
# first copy searched for, picked from its history list; the list files the copies leave hold
# both copies' searches. The bars are kept as PNGs in $KIV_PNG_DIR (default: a folder in the
# current directory) for a person to look at.
set -euo pipefail
kiv=$1
peek=$2
grabber=$3
png_dir=${KIV_PNG_DIR:-$PWD/search-e2e-grabs}
source "$(dirname "$0")/../support/private_display.sh"
require_tools Xvfb xdotool xwd

start_kiv_session

# Keeps window $1 (or the whole screen for -root) as it shows now as $png_dir/$2.png.
keep_png() {
  mkdir -p "$png_dir"
  if [ "$1" = -root ]; then xwd -root -silent; else xwd -id "$1" -silent; fi >"$work/window.xwd"
  python3 "$grabber" png "$work/window.xwd" "$png_dir/$2.png"
}

fail() {
  echo "$1"
  keep_png -root failure || true
  cat "$work/err.txt"
  exit 1
}

keys() {
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.15
  done
  sleep 0.3
}

typed() {
  xdotool type --delay 40 "$1"
  sleep 0.2
}

# Opens the popup of soft key F1 or F2 and picks an item with the arrow keys.
menu() {
  open_popup "$1"
  shift
  keys "$@"
}

# Waits for a visible window named $1; prints its id.
window_named() {
  timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1
}

wait_gone() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# Ends the copy whose window is $1 and process $2 with Ctrl+Q (its text is saved).
quit_copy() {
  xdotool windowfocus --sync "$1"
  sleep 0.3
  xdotool key ctrl+q
  expect_ended "$2" "a copy on Ctrl+Q"
}

doc="$work/doc.txt"
printf 'alpha beta\ngamma beta\ndelta beta\nbeta beta beta\nend\n' >"$doc"
"$kiv" "$doc" 2>"$work/err.txt" &
kiv_pid=$!
window=$(window_named doc.txt) || fail "no kiv window titled after the file"
xdotool windowfocus --sync "$window"
sleep 0.5

# Menu > Find > Find... opens the Find bar. Its "Find" soft key finds the first beta, Return
# the next two; Menu > Find Up goes back to the second and Ctrl+B to the first, which the typed
# B replaces once Escape has given the text the keys again.
menu F2 Down Down Down Down Right Return
typed beta
keep_png "$window" find-bar
keys F1 Return Return
menu F2 Down Return
keys ctrl+b Escape
typed B
expect_title "doc.txt*"

# Ctrl+F opens it again, empty as nothing is selected: gamma is found from the caret on.
keys ctrl+f
typed gamma
keys Return Escape
typed G

# Ctrl+R: Return moves to the replacement field. The first Replace selects the beta after the
# caret, the second replaces it and selects the next; Menu > Replace All replaces the other
# four and says how many.
keys ctrl+r
typed beta
keys Return
typed BETA
keep_png "$window" replace-bar
keys F1 F1
menu F2 Down Down Down Return
box=$(window_named Confirm) || fail "no message after Replace All"
xdotool windowfocus --sync "$box"
sleep 0.3
keep_png "$box" replace-all-message
message=$(clipboard_after ctrl+c)
grep -qx '4 total mades.' <<<"$message" || fail "the message after Replace All reads [$message]"
keys Return
wait_gone Confirm || fail "the count message stayed open"

# Ctrl+G to line 5, then Menu > Go To > Line Nr. and its "Go To" soft key to line 1.
keys ctrl+g
typed 5
keep_png "$window" jump-bar
keys Return
typed Z
menu F2 Down Down Down Right Return
typed 1
keys F1
typed '<'
keys ctrl+s
expect_title "doc.txt"
printf '<alpha B\nG BETA\ndelta BETA\nBETA BETA BETA\nZend\n' >"$work/expected"
cmp "$doc" "$work/expected" || fail "the saved file reads: $(cat "$doc")"

# A second copy on another file: Down opens its Find bar's history, which lists the first
# copy's searches, most recent first; Down Down Return picks the second, gamma, and Return
# finds it there.
doc2="$work/doc2.txt"
printf 'one gamma two\n' >"$doc2"
"$kiv" "$doc2" 2>>"$work/err.txt" &
second_pid=$!
second=$(window_named doc2.txt) || fail "no window of the second copy"
xdotool windowfocus --sync "$second"
sleep 0.5
keys ctrl+f Down
keep_png -root second-copy-find-history
keys Down Down Return
keep_png "$second" second-copy-picked
keys Return Escape
found=$(clipboard_after ctrl+c)
[ "$found" = gamma ] || fail "the second copy found [$found], not the first copy's gamma"

# Each copy writes the shared lists when it ends: the second copy's search came last.
quit_copy "$second" "$second_pid"
quit_copy "$window" "$kiv_pid"
history_file() {
  python3 - "$@" <<'PY'
import struct, sys
body = b"".join(s.encode("utf-16-le") + b"\0\0" for s in sys.argv[1:]) + b"\0\0"
sys.stdout.buffer.write(b"MRUS" + struct.pack("<I", 8 + len(body)) + body)
PY
}
history_file gamma beta >"$work/find.expected"
cmp "$KIV_PROGRAM_DIR/find.mru" "$work/find.expected" || fail "find.mru does not hold gamma, beta"
history_file BETA >"$work/repl.expected"
cmp "$KIV_PROGRAM_DIR/repl.mru" "$work/repl.expected" || fail "repl.mru does not hold BETA"
echo "search end-to-end: all passed"
