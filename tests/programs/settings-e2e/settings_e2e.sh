#!/usr/bin/env bash
# settings_e2e.sh <kiv> <clipboard-peek> <screen_grab.py>: starts kiv on a private Xvfb display,
# inserts a template over a selection from the Insert menu, changes two settings in the
# Settings dialog with the keyboard alone and confirms them, has an out-of-range value refused,
# and checks kiv.ini after exit. The screen is kept as PNGs in $KIV_PNG_DIR (default: a folder
# in the current directory) for a person to look at.
set -euo pipefail
kiv=$1
peek=$2
grabber=$3
png_dir=${KIV_PNG_DIR:-$PWD/settings-e2e-grabs}
source "$(dirname "$0")/../support/private_display.sh"
require_tools Xvfb xdotool xwd

start_kiv_session
printf 'Stamp=[%%@%%]%%!%%\nPlain=x\n' >"$KIV_PROGRAM_DIR/template.ini"

fail() {
  echo "$1"; cat "$work/err.txt"; exit 1
}

# Keeps window $1 as it shows now as $png_dir/$2.png.
keep_png() {
  mkdir -p "$png_dir"
  xwd -id "$1" -silent >"$work/window.xwd"
  python3 "$grabber" png "$work/window.xwd" "$png_dir/$2.png"
}

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

keys() {
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.15
  done
}

# Waits for a visible window named $1; prints its id.
window_named() {
  timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1
}

"$kiv" 2>"$work/err.txt" &
kiv_pid=$!
window=$(window_named kiv) || fail "no kiv window"
xdotool windowfocus --sync "$window"
sleep 0.5

# Menu > Insert > Stamp over the selected word: the word comes back inside the brackets and
# the caret after them.
xdotool type --delay 40 "abc"
xdotool key ctrl+a
menu F2 Down Down Down Down Down Down Right Return
xdotool type --delay 40 "!"
expect_text "[abc]!"

# Menu > Tools > Option...: the tab size (Tab, Tab from the font list past the greyed size
# list and Bold) becomes 8, and Disable Word Wrap (three more) is ticked with Space.
menu F2 Down Down Down Down Down Down Down Right Return
settings=$(window_named Settings) || fail "no Settings dialog"
sleep 0.5
keep_png "$settings" settings
keys Tab ctrl+a 8 Tab Tab Tab space
keep_png "$settings" settings-changed
keys Return
sleep 0.5
xdotool search --onlyvisible --name "^Settings\$" >/dev/null && fail "Settings stayed open"

# Again, with 0 recent files: refused with its message, the dialog stays until Escape.
menu F2 Down Down Down Down Down Down Down Right Return
settings=$(window_named Settings) || fail "no Settings dialog the second time"
sleep 0.5
keys Tab Tab Tab Tab Tab Tab Tab Tab Tab ctrl+a 0 Return
sleep 0.8
# The message box is captioned with the program's name, as the main window was before typing.
box=$(xdotool search --onlyvisible --name "^kiv\$" | tail -n 1)
[ -n "$box" ] || fail "no message box for the refused value"
keep_png "$box" settings-refused-message
keys Return
sleep 0.4
keep_png "$settings" settings-refused
sleep 0.4
window_named Settings >/dev/null || fail "the refused value closed the dialog"
keys Escape
sleep 0.5
xdotool search --onlyvisible --name "^Settings\$" >/dev/null && fail "Escape did not cancel"

# File > Exit, answering No to saving the typed text; the settings confirmed once are in
# kiv.ini, the refused value is not.
menu F1 Up Return
answer_no_to_saving
expect_ended "$kiv_pid" "kiv on File > Exit"
ini=$(cat "$KIV_PROGRAM_DIR/kiv.ini")
for line in tabsize=8 nowordwrap=1 mrunum=5; do
  grep -qx "$line" <<<"$ini" || fail "kiv.ini lacks $line: $ini"
done
echo "settings end-to-end: all passed"
