# shellcheck shell=bash
# Sourced by the end-to-end scripts. require_tools exits 77 (skipped) when a tool is missing;
# start_private_display starts Xvfb on a display number nobody uses (Xvfb says which one it
# took), sets xvfb_pid and exports DISPLAY for the toolkit. $work must exist already. The
# checks at the end report through the script's own fail.

require_tools() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "$tool is missing: skipped"
      exit 77
    fi
  done
}

# start_xvfb LOG: starts Xvfb, sets xvfb_pid and exports DISPLAY; returns 1 when no display
# came up. On a loaded machine the start can take many seconds, so the wait is long, but it ends
# as soon as Xvfb names its display or has ended; one that ended (another Xvfb starting at the
# same moment took its number) is started again.
start_xvfb() {
  local log=$1 fd display
  for _ in 1 2 3; do
    exec {fd}<> <(:)
    Xvfb -displayfd "$fd" -screen 0 1024x768x24 -nolisten tcp >"$log" 2>&1 &
    xvfb_pid=$!
    display=
    for _ in $(seq 600); do
      if read -r -t 0.1 display <&"$fd" 2>/dev/null && [ -n "$display" ]; then
        break
      fi
      kill -0 "$xvfb_pid" 2>/dev/null || break
    done
    exec {fd}<&-
    if [ -n "$display" ]; then
      export DISPLAY=":$display"
      return 0
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  done
  return 1
}

# start_kiv_session: makes $work, starts the private display and gives kiv a runtime folder and
# a program folder whose first run is recorded already (no association question before the
# window). On exit every program the script still runs in the background ends and $work goes.
start_kiv_session() {
  work=$(mktemp -d)
  trap end_kiv_session EXIT
  start_private_display
  mkdir -p "$work/run" "$work/program" && chmod 700 "$work/run"
  export KIV_RUNTIME_DIR="$work/run" KIV_PROGRAM_DIR="$work/program"
  printf '[init]\nfirst=1\n' >"$KIV_PROGRAM_DIR/kiv.ini"
}

end_kiv_session() {
  local pid
  for pid in $(jobs -p); do
    kill "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}

start_private_display() {
  if ! start_xvfb "$work/xvfb.log"; then
    echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1
  fi
  export QT_QPA_PLATFORM=xcb
  export ASAN_OPTIONS="detect_leaks=0:${ASAN_OPTIONS:-}"
}

# open_popup KEY: presses soft key KEY (F1 or F2) and waits until its popup shows (one more
# visible window), so the keys after it reach the popup even on a loaded machine.
open_popup() {
  local before
  before=$(xdotool search --onlyvisible --class '.*' 2>/dev/null | wc -l)
  xdotool key "$1"
  for _ in $(seq 200); do
    [ "$(xdotool search --onlyvisible --class '.*' 2>/dev/null | wc -l)" -gt "$before" ] && break
    sleep 0.05
  done
  sleep 0.1
}

# expect_title TITLE: waits up to five seconds for $window's title to become TITLE.
expect_title() {
  local title
  for _ in $(seq 50); do
    title=$(xdotool getwindowname "$window")
    [ "$title" = "$1" ] && return 0
    sleep 0.1
  done
  fail "title: expected [$1], got [$title]"
}

# answer_no_to_saving: waits for kiv's question about saving the changed text and answers No.
answer_no_to_saving() {
  local box
  box=$(timeout 10 xdotool search --sync --onlyvisible --name "^Save Confirm$" | head -n 1) ||
    fail "no question before closing the changed text"
  xdotool windowfocus --sync "$box"
  sleep 0.3
  xdotool key alt+n
}

# expect_ended PID WHAT: waits up to ten seconds for process PID to end, which it must do on
# its own and with status 0.
expect_ended() {
  for _ in $(seq 100); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$1" 2>/dev/null && fail "$2 did not end"
  wait "$1" || fail "$2 ended with an error"
}

# clipboard_after KEYS...: what the focused window put on the desktop's clipboard after the
# keys, as the second program $peek sees it (waiting for a change, which the same text again
# never makes).
clipboard_after() {
  local before got=
  before=$("$peek" 2>/dev/null) || before=
  xdotool key "$@"
  for _ in $(seq 50); do
    sleep 0.1
    got=$("$peek" 2>/dev/null) && [ -n "$got" ] && [ "$got" != "$before" ] && break
  done
  printf '%s' "$got"
}
