# Wine prefix helpers: one prefix per run, created once and shared by every Wine user of the run.

export WINEDEBUG="${WINEDEBUG:--all}"
# No installer prompts for the .NET and HTML engines on first start.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

GB_WINEBOOT_PID=""
GB_WINEBOOT_START=""
GB_WINEBOOT_FAILED=""

# Starts creating a fresh prefix in a temporary folder in the background (wineboot takes about
# 20 s, which can overlap other work), exports WINEPREFIX and registers its removal. A prefix
# that a calling script made (GB_PRIVATE_WINEPREFIX) is reused; the user's own never is, since
# the tests end every process in it.
# Whether this machine runs 32-bit Windows programs: wine32 installed and a kernel that runs
# 32-bit Linux programs (the test machines' kernels do not).
gb_wine32_runs() { [[ -x /usr/lib/wine/wine ]] && /usr/lib/wine/wine --version >/dev/null 2>&1; }

gb_wine_prefix_start() {
  if [[ -n "${GB_PRIVATE_WINEPREFIX:-}" && "${WINEPREFIX:-}" == "$GB_PRIVATE_WINEPREFIX" &&
    -f "$WINEPREFIX/system.reg" ]]; then
    return 0
  fi
  local prefix
  prefix="$(mktemp -d "${TMPDIR:-/tmp}/glintbox-wine.XXXXXX")"
  export WINEPREFIX="$prefix" GB_PRIVATE_WINEPREFIX="$prefix"
  gb_on_exit "gb_remove_wine_prefix '$prefix'"
  mkdir -p "$GB_LOGS"
  GB_WINEBOOT_START="$(gb_now)"
  (timeout 300 wineboot -i && wineserver -w) >"$GB_LOGS/wineboot.log" 2>&1 &
  GB_WINEBOOT_PID=$!
}

# Waits for gb_wine_prefix_start; every later call gives the same answer at once.
gb_wine_prefix_wait() {
  if [[ -n "$GB_WINEBOOT_PID" ]]; then
    local pid="$GB_WINEBOOT_PID"
    GB_WINEBOOT_PID=""
    if wait "$pid" && [[ -f "$WINEPREFIX/system.reg" ]]; then
      gb_info "Wine prefix $WINEPREFIX ready after $(gb_elapsed "$GB_WINEBOOT_START") s"
    else
      tail -n 20 "$GB_LOGS/wineboot.log" >&2
      gb_warn "could not create the Wine prefix $WINEPREFIX"
      GB_WINEBOOT_FAILED=1
    fi
  fi
  [[ -z "$GB_WINEBOOT_FAILED" && -n "${WINEPREFIX:-}" && -f "$WINEPREFIX/system.reg" ]]
}

gb_wine_prefix() {
  gb_wine_prefix_start
  gb_wine_prefix_wait || exit 1
}

# Ends every process of the current prefix and waits for its server to go.
gb_wine_kill() {
  [[ -n "${WINEPREFIX:-}" ]] || return 0
  wineserver -k >/dev/null 2>&1 || true
  timeout 10 wineserver -w >/dev/null 2>&1 || true
}

gb_remove_wine_prefix() {
  local prefix="$1"
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" timeout 10 wineserver -w >/dev/null 2>&1 || true
  rm -rf -- "$prefix"
}
