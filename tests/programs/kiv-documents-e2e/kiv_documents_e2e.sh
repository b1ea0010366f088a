#!/usr/bin/env bash
# kiv_documents_e2e.sh <kiv> <sample>: starts kiv on a private Xvfb display with a copy of the
# Shift_JIS sample, types at the top, saves with Ctrl+S and compares the bytes on disk; a second
# kiv asked for the same file ends and leaves it to the first; Ctrl+O opens another file through
# the desktop's chooser; typing there and quitting with No to the save question changes no file.
set -euo pipefail
kiv=$1
sample=$2
source "$(dirname "$0")/../support/private_display.sh"
require_tools Xvfb xdotool

start_kiv_session

fail() {
  echo "$1"; cat "$work/err.txt"; exit 1
}

doc="$work/autumn-walk.txt"
cp "$sample" "$doc"
"$kiv" "$doc" 2>"$work/err.txt" &
kiv_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name "^autumn-walk.txt$" | head -n 1) ||
  fail "no kiv window titled after the file"
xdotool windowfocus --sync "$window"
sleep 0.5

xdotool type --delay 40 "Draft: "
expect_title "autumn-walk.txt*"
xdotool key ctrl+s
expect_title "autumn-walk.txt"
# Shift_JIS writes ASCII as itself: the file is the typed text followed by the sample's bytes.
{ printf 'Draft: '; cat "$sample"; } >"$work/expected"
cmp "$doc" "$work/expected" || fail "the saved bytes differ from the edited text"

# A second copy asked for the same file hands it to this one and ends by itself.
timeout 30 "$kiv" "$doc" 2>>"$work/err.txt" || fail "the second copy did not end cleanly"
kill -0 "$kiv_pid" 2>/dev/null || fail "the first copy went away"
[ "$(xdotool search --onlyvisible --name "^autumn-walk.txt" | wc -l)" = 1 ] ||
  fail "two windows edit the file"

# Ctrl+O shows the desktop's file chooser titled "Open..."; Escape leaves everything as it was,
# a typed path opens that file.
open_chooser() {
  xdotool key ctrl+o
  chooser=$(timeout 15 xdotool search --sync --onlyvisible --name "^Open\.\.\.$" | head -n 1) ||
    fail "no file chooser on Ctrl+O"
  xdotool windowfocus --sync "$chooser"
  sleep 0.5
}
chooser_gone() {
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^Open\.\.\.$" >/dev/null || break
    sleep 0.1
  done
  xdotool windowfocus --sync "$window"
  sleep 0.3
}
open_chooser
xdotool key Escape
chooser_gone
expect_title "autumn-walk.txt"
printf 'UTF-8 の別のファイル\n' >"$work/other.txt"
open_chooser
xdotool type --delay 20 "$work/other.txt"
xdotool key Return
chooser_gone
expect_title "other.txt"

xdotool type --delay 40 "more "
expect_title "other.txt*"
xdotool key ctrl+q
answer_no_to_saving
expect_ended "$kiv_pid" "kiv after No"
cmp "$doc" "$work/expected" || fail "the first file changed after it was saved"
[ "$(cat "$work/other.txt")" = "UTF-8 の別のファイル" ] || fail "No changed the file"
echo "kiv documents end-to-end: all passed"
