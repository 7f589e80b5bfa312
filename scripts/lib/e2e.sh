# The end-to-end tests of build/win64/Glintbox.exe under Wine (tests/e2e/run), in two runs at
# once, since they mostly wait: one on a private Xvfb, one on the desktops of desktop.sh (two
# monitors, a taskbar, other DPIs), each with a prefix of its own. A test that needs those
# desktops runs there; any other is taken by whichever run comes to it first. Each run's report:
# build/logs/e2e-main.log and e2e-desktops.log; screenshots of failures in build/logs/e2e/.

# gb_e2e [PATTERN]: runs the tests of the files that match (e.g. 'test_settings*.py'), reusing
# the displays and prefixes a calling script exported; prints both reports and the line
# "N passed, N failed" of both together; fails when a test failed or none passed.
gb_e2e() {
  gb_private_display
  gb_wine_prefix_start
  gb_start_desktops
  gb_desktop_prefix_start
  gb_wine_prefix_wait && gb_wait_prefix desktops || return 1
  rm -rf "$GB_LOGS/e2e"
  local claims run line p f s rc=0 passed=0 failed=0 skipped=0
  claims="$(mktemp -d "${TMPDIR:-/tmp}/glintbox-claims.XXXXXX")"
  gb_on_exit "rm -rf '$claims'"
  declare -A jobs=()
  gb_info "e2e on $DISPLAY, and on $GB_DESKTOP_ONE_MONITOR and $GB_DESKTOP_TWO_MONITORS"
  GLINTBOX_E2E_CLAIMS="$claims" python3 -u "$GB_ROOT/tests/e2e/run_e2e.py" "$@" \
    >"$GB_LOGS/e2e-main.log" 2>&1 &
  jobs[main]=$!
  GLINTBOX_E2E_CLAIMS="$claims" DISPLAY="$GB_DESKTOP_ONE_MONITOR" \
    WINEPREFIX="$GB_DESKTOP_WINEPREFIX" python3 -u "$GB_ROOT/tests/e2e/run_e2e.py" "$@" \
    >"$GB_LOGS/e2e-desktops.log" 2>&1 &
  jobs[desktops]=$!
  gb_on_exit "kill ${jobs[*]}"
  for run in main desktops; do
    wait "${jobs[$run]}" || rc=1
    gb_info "e2e run on the $run display"
    cat "$GB_LOGS/e2e-$run.log"
    line="$(grep -E '^[0-9]+ passed, [0-9]+ failed' "$GB_LOGS/e2e-$run.log" | tail -n 1)" ||
      line="0 passed, 1 failed"
    read -r p _ f _ s _ <<<"${line//,/}"
    ((passed += p, failed += f, skipped += ${s:-0})) || true
  done
  echo "$passed passed, $failed failed$( ((skipped == 0)) || echo ", $skipped skipped")"
  ((rc == 0 && failed == 0 && passed > 0))
}
