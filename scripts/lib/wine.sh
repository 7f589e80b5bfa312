# Wine prefix helpers: one prefix per run, created once and shared by every Wine user of the run.

export WINEDEBUG="${WINEDEBUG:--all}"
# No installer prompts for the .NET and HTML engines on first start.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# Whether this machine runs 32-bit Windows programs: wine32 installed and a kernel that runs
# 32-bit Linux programs (the test machines' kernels do not).
gb_wine32_runs() { [[ -x /usr/lib/wine/wine ]] && /usr/lib/wine/wine --version >/dev/null 2>&1; }

# Prefixes being made, by name: the folder, the wineboot job, when it began, whether it failed.
declare -gA GB_PREFIX=() GB_PREFIX_JOB=() GB_PREFIX_START=() GB_PREFIX_FAILED=()

# gb_make_prefix NAME [COMMAND...]: starts making a fresh prefix in a temporary folder in the
# background (wineboot takes about 20 s, which can overlap other work), then runs COMMAND in
# it; registers its removal. Its log: build/logs/wineboot-NAME.log.
gb_make_prefix() {
  local name="$1" prefix log="$GB_LOGS/wineboot-$1.log"
  shift
  prefix="$(mktemp -d "${TMPDIR:-/tmp}/glintbox-wine.XXXXXX")"
  gb_on_exit "gb_remove_wine_prefix '$prefix'"
  mkdir -p "$GB_LOGS"
  GB_PREFIX[$name]="$prefix" GB_PREFIX_START[$name]="$(gb_now)"
  (
    export WINEPREFIX="$prefix"
    timeout 300 wineboot -i && { (($# == 0)) || "$@"; } && wineserver -w
  ) >"$log" 2>&1 &
  GB_PREFIX_JOB[$name]=$!
}

# Waits for gb_make_prefix NAME; every later call gives the same answer at once.
gb_wait_prefix() {
  local name="$1" job="${GB_PREFIX_JOB[$1]:-}" prefix="${GB_PREFIX[$1]:-}"
  if [[ -n "$job" ]]; then
    GB_PREFIX_JOB[$name]=""
    if wait "$job" && [[ -f "$prefix/system.reg" ]]; then
      gb_info "Wine prefix $prefix ready after $(gb_elapsed "${GB_PREFIX_START[$name]}") s"
    else
      tail -n 20 "$GB_LOGS/wineboot-$name.log" >&2
      gb_warn "could not create the Wine prefix $prefix"
      GB_PREFIX_FAILED[$name]=1
    fi
  fi
  [[ -z "${GB_PREFIX_FAILED[$name]:-}" && -n "$prefix" && -f "$prefix/system.reg" ]]
}

# The run's prefix, shared by every Wine user of the run and exported as WINEPREFIX. A prefix
# that a calling script made (GB_PRIVATE_WINEPREFIX) is reused; the user's own never is, since
# the tests end every process in it.
gb_wine_prefix_start() {
  if [[ -n "${GB_PRIVATE_WINEPREFIX:-}" && "${WINEPREFIX:-}" == "$GB_PRIVATE_WINEPREFIX" &&
    -f "$WINEPREFIX/system.reg" ]]; then
    GB_PREFIX[main]="$WINEPREFIX"
    return 0
  fi
  gb_make_prefix main
  export WINEPREFIX="${GB_PREFIX[main]}" GB_PRIVATE_WINEPREFIX="${GB_PREFIX[main]}"
}

gb_wine_prefix_wait() { gb_wait_prefix main; }

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
