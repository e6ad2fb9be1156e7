#!/usr/bin/env bash
# Builds the program and the replacement agent, prepares the Wine prefix, registers
# the agent and runs the program. With a display it opens the main window there;
# without one it starts a virtual display, saves a screenshot of the main window,
# prints the screenshot's path and closes the program.
source "$(dirname "$0")/lib.sh"
ensure_packages
build_all

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  prepare_prefix x11
  register_agent
  log "running VTUserCnfg on $DISPLAY"
  cd "$BIN"
  exec wine VTUserCnfg.exe
fi

shot=${VT_SCREENSHOT:-$BUILD/screenshot.png}
log "no display: running on a virtual one"
start_virtual_display 97
prepare_prefix x11
register_agent
start_program
window=$(wait_for_main_window)
import -window "$window" "$shot"
echo "$shot"
