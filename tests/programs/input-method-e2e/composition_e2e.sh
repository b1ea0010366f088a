#!/usr/bin/env bash
# composition_e2e.sh nedit-host NEDIT_HOST
# composition_e2e.sh kiv KIV CLIPBOARD_PEEK
#
# Types Japanese through a real input method (fcitx5 with mozc) into the program's editor on a
# private virtual display: romaji are composed inline, Space converts, Return commits. Checks
# the composition drawn in place (grabs of the screen, kept as PNGs in $KIV_PNG_DIR when set), the
# candidate window under the clause being converted, the target clause moving with Right, a
# committed result undone in one step, and the final text. Says "skipped" (code 77) only where
# the input method cannot start.
set -uo pipefail
kind=$1
program=$2
peek=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=input_method_stack.sh
source "$here/input_method_stack.sh"

ims_session

measure() { python3 "$here/screen_grab.py" "$@"; }

case "$kind" in
nedit-host)
  : >"$ims_work/in.txt"
  "$program" "$ims_work/in.txt" >"$ims_work/out.txt" 2>"$ims_work/program.err" &
  program_pid=$!
  window_name='^nEdit$'
  ;;
kiv)
  export KIV_PROGRAM_DIR="$ims_work/program"
  export KIV_RUNTIME_DIR="$ims_work/kiv-runtime"
  mkdir -m 700 "$KIV_RUNTIME_DIR"
  # Not a first run: no question about the desktop association before the window.
  mkdir -p "$KIV_PROGRAM_DIR"
  printf '[init]\nfirst=1\n' >"$KIV_PROGRAM_DIR/kiv.ini"
  "$program" 2>"$ims_work/program.err" &
  program_pid=$!
  window_name='^kiv$'
  ;;
*)
  fail "unknown program kind $kind"
  ;;
esac

window=$(timeout 20 xdotool search --sync --onlyvisible --name "$window_name" | head -n 1)
[ -n "$window" ] || fail "the program's window did not appear"
xdotool windowfocus --sync "$window"
eval "$(xdotool getwindowgeometry --shell "$window")"
left=$X
top=$Y
ims_wait_focused_context || fail "the editor never offered the input method a context"
ims_activate_mozc || fail "mozc did not become the input method"

# The first text row of the editor, where the composition appears (the file is empty).
row=(0 0 0 0)
row_box() { row=("$left" "$top" $((left + 300)) $((top + 22))); }
row_box

ims_grab "$ims_work/empty.xwd"
xdotool type --delay 30 nihongo
ims_settle "$ims_work/empty.xwd" "$ims_work/input.xwd" || fail "the composition never showed"
ims_keep_png "$ims_work/input.xwd" "$kind-nihongo-input"
ink=$(measure ink "$ims_work/input.xwd" "${row[@]}")
[ "$ink" -gt 100 ] || fail "no composition drawn in the editor's first row ($ink dark pixels)"
# mozc suggests while typing; its window goes under the composition's start.
suggestion=$(xdotool search --onlyvisible --name '^Fcitx5 Input Window$' | head -n 1)
if [ -n "$suggestion" ]; then
  eval "$(xdotool getwindowgeometry --shell "$suggestion")"
  if [ "$X" -lt "$left" ] || [ "$X" -gt $((left + 20)) ] || [ "$Y" -lt $((top + 14)) ] ||
    [ "$Y" -gt $((top + 40)) ]; then
    fail "the candidate window is at $X,$Y, not under the composition at $left,$top"
  fi
fi

xdotool key space
ims_settle "$ims_work/input.xwd" "$ims_work/converted.xwd" || fail "the conversion never showed"
ims_keep_png "$ims_work/converted.xwd" "$kind-nihongo-converted"
read -r lit from to <<<"$(measure highlight "$ims_work/converted.xwd" "${row[@]}")"
[ "$lit" -gt 200 ] || fail "the converted clause is not highlighted ($lit pixels)"
[ $((to - from)) -gt 30 ] || fail "the highlighted clause is too narrow ($from-$to)"

# Committed, then undone in one step.
xdotool key Return
xdotool key ctrl+z

ims_grab "$ims_work/before.xwd"
xdotool type --delay 30 watashihanihongowohanasu
xdotool key space
ims_settle "$ims_work/before.xwd" "$ims_work/clauses.xwd" || fail "the sentence never converted"
ims_keep_png "$ims_work/clauses.xwd" "$kind-sentence-first-clause"
read -r lit first_from first_to <<<"$(measure highlight "$ims_work/clauses.xwd" "${row[@]}")"
[ "$lit" -gt 100 ] || fail "no clause is highlighted in the converted sentence"
xdotool key Right
ims_settle "$ims_work/clauses.xwd" "$ims_work/next.xwd" || fail "the next clause never became the target"
ims_keep_png "$ims_work/next.xwd" "$kind-sentence-second-clause"
read -r lit next_from next_to <<<"$(measure highlight "$ims_work/next.xwd" "${row[@]}")"
[ "$lit" -gt 100 ] && [ "$next_from" -ge "$first_to" ] ||
  fail "the target clause did not move right ($first_from-$first_to, then $next_from-$next_to)"
xdotool key Return

text=
case "$kind" in
nedit-host)
  xdotool key ctrl+q
  expect_ended "$program_pid" "nedit-host"
  program_pid=
  text=$(cat "$ims_work/out.txt")
  ;;
kiv)
  # The text as a second program sees it on the clipboard.
  xdotool key ctrl+a ctrl+c
  for _ in $(seq 50); do
    text=$("$peek" 2>/dev/null) && [ -n "$text" ] && break
    sleep 0.1
  done
  ;;
esac
[ "$text" = "私は日本語を話す" ] || fail "the text is '$text', not 私は日本語を話す"
echo "composition end-to-end ($kind): all passed"
