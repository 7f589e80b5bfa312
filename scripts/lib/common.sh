# Shared shell helpers for scripts/setup, scripts/run, scripts/test and tests/e2e/run.
# Source it from bash; it sources the display, Wine and desktop helpers beside it.

GB_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
GB_BUILD="$GB_ROOT/build"
GB_LOGS="$GB_BUILD/logs"

gb_info() { printf '%s\n' "== $*"; }
gb_warn() { printf '%s\n' "warning: $*" >&2; }
gb_die() {
  printf '%s\n' "error: $*" >&2
  exit 1
}

# Cleanup stack: commands run in reverse order of registration when the shell exits, whatever
# the reason (normal end, error under set -e, Ctrl-C, SIGTERM from CI).
GB_CLEANUP=()
gb_on_exit() { GB_CLEANUP+=("$1"); }
gb__cleanup() {
  local rc=$? i
  trap - EXIT INT TERM HUP
  for ((i = ${#GB_CLEANUP[@]} - 1; i >= 0; i--)); do
    eval "${GB_CLEANUP[i]}" >/dev/null 2>&1 || true
  done
  GB_CLEANUP=()
  exit "$rc"
}
trap gb__cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# Runs a command with its output in build/logs/NAME.log; on failure prints the log's tail.
gb_logged() {
  local name="$1"
  shift
  mkdir -p "$GB_LOGS"
  local log="$GB_LOGS/$name.log"
  if "$@" >"$log" 2>&1; then
    return 0
  else
    local rc=$?
    # From the first failed build step when there is one, else the end of the log.
    if grep -q '^FAILED: ' "$log"; then
      printf '%s\n' "-- $name failed (exit $rc); from $log:" >&2
      sed -n '/^FAILED: /,$p' "$log" | head -n 60 >&2
    else
      printf '%s\n' "-- $name failed (exit $rc); last lines of $log:" >&2
      tail -n 40 "$log" >&2
    fi
    return "$rc"
  fi
}

# Seconds since the epoch with one decimal, for stage timings.
gb_now() { date +%s.%N; }
gb_elapsed() { awk -v a="$1" -v b="$(gb_now)" 'BEGIN { printf "%.1f", b - a }'; }

source "$GB_ROOT/scripts/lib/display.sh"
source "$GB_ROOT/scripts/lib/wine.sh"
source "$GB_ROOT/scripts/lib/desktop.sh"
