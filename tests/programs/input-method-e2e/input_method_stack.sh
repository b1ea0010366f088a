# Sourced by the input-method end-to-end tests: starts a private virtual display, a session
# bus and fcitx5 with mozc, and stops them again, every process by its own id.
#
# mozc's server refuses to run as root, so when the tests run as root the input-method stack
# runs as an ordinary user (created once, without a home directory). The program under test
# stays with the caller and joins the bus, whose policy lets the caller in.
#
# After ims_start: DISPLAY, DBUS_SESSION_BUS_ADDRESS, QT_IM_MODULE and QT_QPA_PLATFORM are
# exported; ims_work is a scratch directory. Where the input method cannot start (a package
# missing, no ordinary user to run mozc, no session bus, fcitx5 not answering) ims_start
# returns 77 with the reason in ims_skip_reason; any other failure returns 1.

# shellcheck source=../support/private_display.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/private_display.sh"

ims_user=kiv-ime
ims_work=
ims_skip_reason=
ims_xvfb_pid=
ims_bus_pid=
ims_fcitx_pid=
ims_as_user=()

ims_log() { printf '%s\n' "$*" >&2; }

# Polls "$@" every 0.05 s until it succeeds or `seconds` pass.
ims_poll() {
  local seconds=$1
  shift
  local tries=$((seconds * 20))
  while [ "$tries" -gt 0 ]; do
    if "$@" >/dev/null 2>&1; then
      return 0
    fi
    sleep 0.05
    tries=$((tries - 1))
  done
  return 1
}

ims_require() {
  local tool
  for tool in Xvfb xdotool dbus-daemon fcitx5 fcitx5-remote; do
    if ! command -v "$tool" >/dev/null; then
      ims_skip_reason="$tool is missing"
      return 1
    fi
  done
  if [ ! -e /usr/share/fcitx5/addon/mozc.conf ]; then
    ims_skip_reason="fcitx5-mozc is not installed"
    return 1
  fi
  local plugin
  plugin=$(find /usr/lib /usr/lib64 -path '*qt6/plugins/platforminputcontexts/*fcitx5*' \
    2>/dev/null | head -n 1)
  if [ -z "$plugin" ]; then
    ims_skip_reason="fcitx5's Qt 6 front end is not installed"
    return 1
  fi
}

# The account the stack runs under: the caller, or an ordinary user when the caller is root.
ims_choose_user() {
  if [ "$(id -u)" -ne 0 ]; then
    ims_user=$(id -un)
    ims_as_user=()
    return 0
  fi
  if ! id "$ims_user" >/dev/null 2>&1; then
    if ! useradd -M -r -s /usr/sbin/nologin "$ims_user" >/dev/null 2>&1; then
      ims_skip_reason="running as root and the user $ims_user cannot be created"
      return 1
    fi
  fi
  ims_as_user=(setpriv --reuid="$ims_user" --regid="$(id -g "$ims_user")" --init-groups)
}

ims_start_display() {
  if ! start_xvfb "$ims_work/xvfb.log"; then
    ims_log "Xvfb did not start:"
    cat "$ims_work/xvfb.log" >&2
    return 1
  fi
  ims_xvfb_pid=$xvfb_pid
}

ims_start_bus() {
  local config="$ims_work/session.conf"
  # The system's session policy, letting the caller in besides the bus's own user.
  sed 's|<policy context="default">|&\n    <allow user="root"/>\n    <allow user="'"$(id -un)"'"/>|' \
    /usr/share/dbus-1/session.conf >"$config"
  chmod 644 "$config"
  local out
  out=$(env -i PATH="$PATH" HOME="$ims_home" XDG_RUNTIME_DIR="$ims_runtime" \
    "${ims_as_user[@]}" dbus-daemon --config-file="$config" --fork \
    --print-address=1 --print-pid=1 2>"$ims_work/bus.log") || {
    ims_skip_reason="the session bus did not start: $(head -c 300 "$ims_work/bus.log")"
    return 77
  }
  export DBUS_SESSION_BUS_ADDRESS
  DBUS_SESSION_BUS_ADDRESS=$(printf '%s\n' "$out" | sed -n 1p)
  ims_bus_pid=$(printf '%s\n' "$out" | sed -n 2p)
}

ims_write_profile() {
  mkdir -p "$ims_config/fcitx5"
  cat >"$ims_config/fcitx5/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
PROFILE
}

# Runs fcitx5-remote as the stack's user on its bus.
ims_remote() {
  env -i PATH="$PATH" HOME="$ims_home" XDG_RUNTIME_DIR="$ims_runtime" \
    XDG_CONFIG_HOME="$ims_config" DISPLAY="$DISPLAY" \
    DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" "${ims_as_user[@]}" fcitx5-remote "$@"
}

ims_start_fcitx() {
  env -i PATH="$PATH" HOME="$ims_home" XDG_RUNTIME_DIR="$ims_runtime" \
    XDG_CONFIG_HOME="$ims_config" DISPLAY="$DISPLAY" LANG=C.UTF-8 \
    DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" \
    "${ims_as_user[@]}" fcitx5 --replace >"$ims_work/fcitx5.log" 2>&1 &
  ims_fcitx_pid=$!
  if ! ims_poll 10 ims_remote; then
    ims_skip_reason="fcitx5 did not start: $(tail -n 5 "$ims_work/fcitx5.log" | tr '\n' ' ')"
    return 77
  fi
}

ims_grab() { xwd -root -silent >"$1"; }

# Keeps grab $1 as $KIV_PNG_DIR/$2.png when that folder is asked for.
ims_keep_png() {
  [ -n "${KIV_PNG_DIR:-}" ] || return 0
  mkdir -p "$KIV_PNG_DIR"
  python3 "$(dirname "${BASH_SOURCE[0]}")/screen_grab.py" png "$1" "$KIV_PNG_DIR/$2.png"
}

# Waits until the screen differs from dump $1 and then holds still for three grabs in a row;
# leaves the last grab in $2. The bound (400 grabs) is for a loaded machine.
ims_settle() {
  local before=$1 out=$2 previous="$ims_work/previous.xwd" same=0 tries=400
  ims_grab "$previous"
  while [ "$tries" -gt 0 ]; do
    sleep 0.05
    ims_grab "$out"
    if cmp -s "$out" "$previous" && ! cmp -s "$out" "$before"; then
      same=$((same + 1))
      [ "$same" -ge 2 ] && return 0
    else
      same=0
    fi
    cp "$out" "$previous"
    tries=$((tries - 1))
  done
  return 1
}

# Switches the focused input context to mozc and waits until mozc is the current method.
ims_activate_mozc() {
  ims_remote -s mozc >/dev/null 2>&1 || true
  ims_poll 15 ims_current_is_mozc
}

ims_current_is_mozc() {
  [ "$(ims_remote -n 2>/dev/null)" = mozc ]
}

# Waits until an input context has the focus (after the window under test took it).
ims_wait_focused_context() {
  ims_poll 10 ims_context_focused
}

ims_context_focused() {
  local state
  state=$(ims_remote 2>/dev/null) && [ "$state" != 0 ]
}

ims_start() {
  ims_require || return 77
  ims_choose_user || return 77
  ims_work=$(mktemp -d)
  chmod 755 "$ims_work"
  ims_home="$ims_work/home"
  ims_runtime="$ims_work/runtime"
  ims_config="$ims_home/.config"
  mkdir -p "$ims_home" "$ims_runtime"
  ims_write_profile
  chmod 700 "$ims_runtime"
  if [ ${#ims_as_user[@]} -gt 0 ]; then
    chown -R "$ims_user" "$ims_home" "$ims_runtime"
  fi
  ims_start_display || return 1
  ims_start_bus || return $?
  ims_start_fcitx || return $?
  export QT_IM_MODULE=fcitx
  export QT_QPA_PLATFORM=xcb
}

# Stops the processes of the stack's user that fcitx5 started (mozc's server and renderer),
# found by their user and the scratch HOME they inherited.
ims_stop_mozc() {
  local pid
  for pid in $(pgrep -u "$ims_user" -f 'mozc_(server|renderer)' 2>/dev/null); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "HOME=$ims_home"; then
      kill "$pid" 2>/dev/null || true
    fi
  done
}

ims_stop() {
  if [ -n "$ims_fcitx_pid" ]; then
    kill "$ims_fcitx_pid" 2>/dev/null || true
    wait "$ims_fcitx_pid" 2>/dev/null || true
    ims_fcitx_pid=
  fi
  [ -n "$ims_home" ] && ims_stop_mozc
  if [ -n "$ims_bus_pid" ]; then
    kill "$ims_bus_pid" 2>/dev/null || true
    ims_bus_pid=
  fi
  if [ -n "$ims_xvfb_pid" ]; then
    kill "$ims_xvfb_pid" 2>/dev/null || true
    wait "$ims_xvfb_pid" 2>/dev/null || true
    ims_xvfb_pid=
  fi
  if [ -n "$ims_work" ]; then
    rm -rf "$ims_work"
    ims_work=
  fi
}

# ims_session: for a script that tests a program (its id in program_pid once started) with the
# stack. Starts the stack, ending the script with "skipped" (77) where the input method cannot
# start; on exit the program and the stack end. fail MESSAGE ends the script with the
# program's last errors.
program_pid=
ims_end_session() {
  if [ -n "$program_pid" ]; then
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
  fi
  ims_stop
}

fail() {
  echo "FAIL: $*"
  [ -n "$ims_work" ] && [ -f "$ims_work/program.err" ] && tail -n 20 "$ims_work/program.err"
  exit 1
}

ims_session() {
  trap ims_end_session EXIT
  ims_start
  local status=$?
  if [ "$status" -eq 77 ]; then
    echo "skipped: $ims_skip_reason"
    exit 77
  fi
  [ "$status" -eq 0 ] || fail "the virtual display did not start"
  export ASAN_OPTIONS="detect_leaks=0:${ASAN_OPTIONS:-}"
  if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="$ims_work/program-runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
  fi
}
