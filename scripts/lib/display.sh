# X display helpers: reuse a reachable $DISPLAY or start a private Xvfb on a free number.

GB_XVFB_PID=""

gb_display_reachable() {
  [[ -n "${DISPLAY:-}" ]] && timeout 5 xdpyinfo >/dev/null 2>&1
}

# Starts Xvfb on the first display number from 90 up that has neither a socket nor a lock file,
# exports DISPLAY and registers its end. Another X server may take the same number between the
# check and the start: ours then dies, the lock file names the other, and the next number is
# tried.
gb_start_xvfb() {
  local geometry="${1:-1280x1024x24}" n log
  mkdir -p "$GB_LOGS"
  for ((n = 90; n < 190; n++)); do
    [[ -e "/tmp/.X11-unix/X$n" || -e "/tmp/.X$n-lock" ]] && continue
    log="$GB_LOGS/xvfb-$n.log"
    Xvfb ":$n" -screen 0 "$geometry" -nolisten tcp -noreset >"$log" 2>&1 &
    GB_XVFB_PID=$!
    local tries
    for ((tries = 0; tries < 100; tries++)); do
      if ! kill -0 "$GB_XVFB_PID" 2>/dev/null; then
        break
      fi
      if [[ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock")" == "$GB_XVFB_PID" ]] &&
        DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
        export DISPLAY=":$n" GB_PRIVATE_DISPLAY=":$n"
        gb_on_exit "gb_stop_xvfb $GB_XVFB_PID"
        return 0
      fi
      sleep 0.1
    done
    kill "$GB_XVFB_PID" 2>/dev/null || true
    wait "$GB_XVFB_PID" 2>/dev/null || true
    GB_XVFB_PID=""
  done
  gb_die "could not start Xvfb on any display from :90 to :189"
}

gb_stop_xvfb() {
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
