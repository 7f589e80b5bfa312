# X display helpers: reuse a reachable $DISPLAY or start a private Xvfb on a free number.

gb_display_reachable() {
  [[ -n "${DISPLAY:-}" ]] && timeout 5 xdpyinfo >/dev/null 2>&1
}

# Starts an X server (a program and its arguments after the display) on the first display
# number from 90 up that has neither a socket nor a lock file; sets GB_X_DISPLAY and GB_X_PID and
# registers its end. Another X server may take the same number between the check and the start:
# ours then dies, the lock file names the other, and the next number is tried.
gb_start_x_server() {
  local program="$1" n log pid tries
  shift
  mkdir -p "$GB_LOGS"
  for ((n = 90; n < 190; n++)); do
    [[ -e "/tmp/.X11-unix/X$n" || -e "/tmp/.X$n-lock" ]] && continue
    log="$GB_LOGS/${program,,}-$n.log"
    "$program" ":$n" "$@" >"$log" 2>&1 &
    pid=$!
    for ((tries = 0; tries < 100; tries++)); do
      if ! kill -0 "$pid" 2>/dev/null; then
        break
      fi
      if [[ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock")" == "$pid" ]] &&
        DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
        GB_X_DISPLAY=":$n" GB_X_PID="$pid"
        gb_on_exit "gb_stop_x_server $pid"
        return 0
      fi
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  gb_die "could not start $program on any display from :90 to :189"
}

# A private Xvfb, made the display of everything started later.
gb_start_xvfb() {
  gb_start_x_server Xvfb -screen 0 "${1:-1280x1024x24}" -nolisten tcp -noreset
  export DISPLAY="$GB_X_DISPLAY" GB_PRIVATE_DISPLAY="$GB_X_DISPLAY"
}

gb_stop_x_server() {
  local pid="$1"
  kill "$pid" 2>/dev/null || return 0
  local i
  for ((i = 0; i < 50; i++)); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null || true
}

# The layered-window alpha is only drawn with a compositing manager running.
gb_start_compositor() {
  xcompmgr >/dev/null 2>&1 &
  gb_on_exit "kill $! 2>/dev/null"
}

# A private Xvfb for tests: the one a calling script started (GB_PRIVATE_DISPLAY), else a new
# one; never the user's own display.
gb_private_display() {
  if [[ -n "${GB_PRIVATE_DISPLAY:-}" && "${DISPLAY:-}" == "$GB_PRIVATE_DISPLAY" ]] &&
    gb_display_reachable; then
    return 0
  fi
  gb_start_xvfb "$@"
}
