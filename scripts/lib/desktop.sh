# The desktops a plain Xvfb cannot show, for the end-to-end tests: two monitors side by side,
# a taskbar's work area, other DPIs. Each has a display and a Wine prefix of its own.

# The monitors: one 1280 x 1024 on a host Xvfb, and inside it Xephyr with two such screens
# joined by Xinerama, side by side. Exports GB_DESKTOP_ONE_MONITOR and GB_DESKTOP_TWO_MONITORS;
# reuses those a calling script started.
gb_start_desktops() {
  if [[ -n "${GB_DESKTOP_TWO_MONITORS:-}" ]] &&
    DISPLAY="$GB_DESKTOP_TWO_MONITORS" gb_display_reachable; then
    return 0
  fi
  gb_start_x_server Xvfb -screen 0 1280x1024x24 -nolisten tcp -noreset
  local host="$GB_X_DISPLAY"
  # -noreset: a server that resets as its last client leaves drops the work area set on its
  # root window.
  DISPLAY="$host" gb_start_x_server Xephyr +xinerama -screen 1280x1024 -screen 1280x1024 \
    -nolisten tcp -noreset
  export GB_DESKTOP_ONE_MONITOR="$host" GB_DESKTOP_TWO_MONITORS="$GB_X_DISPLAY"
}

# Their prefix, made in the background and exported as GB_DESKTOP_WINEPREFIX. Wine reads the
# monitors there through Xinerama: through XRandR it sees only the first.
gb_desktop_prefix_start() {
  if [[ -n "${GB_DESKTOP_WINEPREFIX:-}" && -f "$GB_DESKTOP_WINEPREFIX/system.reg" ]]; then
    GB_PREFIX[desktops]="$GB_DESKTOP_WINEPREFIX"
    return 0
  fi
  DISPLAY="$GB_DESKTOP_TWO_MONITORS" gb_make_prefix desktops \
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f
  export GB_DESKTOP_WINEPREFIX="${GB_PREFIX[desktops]}"
}

# gb_use_desktop MONITORS TASKBAR DPI: what the desktops' prefix shows the programs it starts
# next: one monitor or two, a taskbar TASKBAR pixels high along their bottom (its work area set
# on the root window, as a window manager does) and DPI. Wine reads the work area as its server
# starts, so every program of the prefix is ended first. Prints the display to use.
gb_use_desktop() {
  local monitors="$1" taskbar="$2" dpi="$3" display="$GB_DESKTOP_ONE_MONITOR"
  ((monitors == 1)) || display="$GB_DESKTOP_TWO_MONITORS"
  (
    export WINEPREFIX="$GB_DESKTOP_WINEPREFIX" DISPLAY="$display"
    gb_wine_kill
    xprop -root -f _NET_WORKAREA 32c \
      -set _NET_WORKAREA "0,0,$((1280 * monitors)),$((1024 - taskbar))"
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  ) && echo "$display"
}
