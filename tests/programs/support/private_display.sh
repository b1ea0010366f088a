# Sourced by the end-to-end scripts. require_tools exits 77 (skipped) when a tool is missing;
# start_private_display starts Xvfb on a display number nobody uses (Xvfb says which one it
# took), sets xvfb_pid and exports DISPLAY for the toolkit. $work must exist already.

require_tools() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "$tool is missing: skipped"
      exit 77
    fi
  done
}

start_private_display() {
  local fd display=
  exec {fd}<> <(:)
  Xvfb -displayfd "$fd" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    if read -r -t 0.1 display <&"$fd" 2>/dev/null && [ -n "$display" ]; then
      break
    fi
  done
  if [ -z "$display" ]; then
    echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1
  fi
  export DISPLAY=":$display"
  export QT_QPA_PLATFORM=xcb
  export ASAN_OPTIONS="detect_leaks=0:${ASAN_OPTIONS:-}"
}
