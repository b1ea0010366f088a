#!/usr/bin/env bash
# nedit_host_e2e.sh <nedit-host>: types into nedit-host on a private Xvfb display and compares
# the text it writes when Ctrl+Q ends it.
set -euo pipefail
host=$1
source "$(dirname "$0")/../support/private_display.sh"
require_tools Xvfb xdotool

work=$(mktemp -d)
xvfb_pid=
host_pid=
cleanup() {
  [ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

start_private_display

# Runs nedit-host on $1, types what the remaining arguments say (xdotool commands), and leaves
# its output in $work/out.txt.
drive() {
  local file=$1
  shift
  "$host" "$file" >"$work/out.txt" 2>"$work/err.txt" &
  host_pid=$!
  local window
  window=$(timeout 30 xdotool search --sync --onlyvisible --name "^nEdit$" | head -n 1)
  xdotool windowfocus --sync "$window"
  sleep 0.3
  for step in "$@"; do
    # shellcheck disable=SC2086
    xdotool $step
  done
  xdotool key ctrl+q
  local waited=0
  while kill -0 "$host_pid" 2>/dev/null; do
    sleep 0.1
    waited=$((waited + 1))
    if [ "$waited" -gt 200 ]; then
      echo "nedit-host did not end on Ctrl+Q"; cat "$work/err.txt"; exit 1
    fi
  done
  wait "$host_pid" || { echo "nedit-host failed"; cat "$work/err.txt"; exit 1; }
  host_pid=
}

expect() {
  local expected=$1
  if ! diff <(printf '%s' "$expected") "$work/out.txt"; then
    echo "unexpected output (above: expected < > got)"; cat "$work/err.txt"; exit 1
  fi
}

# Typing at the start of a file whose CR LF breaks come back as LF.
printf 'first line\r\nsecond\r\n' >"$work/in.txt"
drive "$work/in.txt" "type --delay 30 Hello,"
expect $'Hello,first line\nsecond\n'

# Moving, selecting with Shift and typing over the selection, Backspace, a new line.
printf 'alpha beta\n' >"$work/in.txt"
drive "$work/in.txt" "key End" "key shift+Left shift+Left shift+Left shift+Left" \
  "type --delay 30 BETA" "key BackSpace" "type --delay 30 A" "key Return" "type --delay 30 x"
expect $'alpha BETA\nx\n'

# Japanese text passes through untouched; Ctrl+Q itself types nothing.
printf '日本語のテキスト\n' >"$work/in.txt"
drive "$work/in.txt" "key ctrl+End" "type --delay 30 ok"
expect $'日本語のテキスト\nok'
echo "nedit-host end-to-end: all passed"
