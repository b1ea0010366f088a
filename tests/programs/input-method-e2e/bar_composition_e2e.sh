#!/usr/bin/env bash
# bar_composition_e2e.sh KIV CLIPBOARD_PEEK
#
# Japanese typed through a real input method (fcitx5 with mozc) into kiv's bars on a private
# virtual display: nihongo composed, converted and committed in the Find bar's field is found in
# the text; eigo committed in the Replace bar's replacement field replaces every 日本語 with
# Replace All. The composition in each field is kept as a PNG in $KIV_PNG_DIR when set. Says
# "skipped" (code 77) only where the input method cannot start.
set -uo pipefail
program=$1
peek=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=input_method_stack.sh
source "$here/input_method_stack.sh"

ims_session

keys() {
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.2
  done
  sleep 0.3
}

# Composes romaji $1 in the focused field with mozc, converts with Space and commits with
# Return, keeping the converted composition as PNG $2.
compose() {
  ims_wait_focused_context || fail "the field never offered the input method a context"
  ims_activate_mozc || fail "mozc did not become the field's input method"
  ims_grab "$ims_work/before.xwd"
  xdotool type --delay 30 "$1"
  ims_settle "$ims_work/before.xwd" "$ims_work/input.xwd" || fail "the composition of $1 never showed"
  xdotool key space
  ims_settle "$ims_work/input.xwd" "$ims_work/converted.xwd" || fail "$1 never converted"
  ims_keep_png "$ims_work/converted.xwd" kiv-bars-"$2"
  xdotool key Return
  ims_settle "$ims_work/converted.xwd" "$ims_work/committed.xwd" || fail "$1 was never committed"
}

export KIV_PROGRAM_DIR="$ims_work/program"
export KIV_RUNTIME_DIR="$ims_work/kiv-runtime"
mkdir -m 700 "$KIV_RUNTIME_DIR"
mkdir -p "$KIV_PROGRAM_DIR"
printf '[init]\nfirst=1\n' >"$KIV_PROGRAM_DIR/kiv.ini"
doc="$ims_work/doc.txt"
printf 'abc 日本語 def 日本語\n' >"$doc"
"$program" "$doc" 2>"$ims_work/program.err" &
program_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^doc.txt$' | head -n 1)
[ -n "$window" ] || fail "the program's window did not appear"
xdotool windowfocus --sync "$window"
sleep 0.5

# The Find bar: the committed word is the field's text, and Return finds it.
keys ctrl+f
compose nihongo find-field
keys Return Escape
found=$(clipboard_after ctrl+c)
[ "$found" = 日本語 ] || fail "the Find bar found [$found], not 日本語"

# The Replace bar, seeded with the found word; Return moves to the replacement field.
keys ctrl+r Return
compose eigo replace-field
open_popup F2
keys Down Down Down Return
box=$(timeout 20 xdotool search --sync --onlyvisible --name '^Confirm$' | head -n 1)
[ -n "$box" ] || fail "no message after Replace All"
xdotool windowfocus --sync "$box"
sleep 0.3
message=$(clipboard_after ctrl+c)
grep -qx '2 total mades.' <<<"$message" || fail "the message after Replace All reads [$message]"
keys Return
text=$(clipboard_after ctrl+a ctrl+c)
[ "$text" = "abc 英語 def 英語" ] || fail "the text is '$text', not 'abc 英語 def 英語'"
echo "bar composition end-to-end: all passed"
