#!/usr/bin/env bash
# Takes the screenshots of the README on a virtual display: the user page with the
# demo account signed in and with no usable account, and the user modification page
# (reachable only while an account is held). Writes them to docs/.
source "$(dirname "$0")/lib.sh"
PACKAGES+=(xdotool)
ensure_packages
build_all

start_virtual_display 96
prepare_prefix x11
wine "$BIN/Orvanta.exe" -Reset >/dev/null 2>&1 </dev/null

# The account the agent holds: the signed-in demo account, or none.
agent_state() {
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<State CurrentAccount="%s" UserState="%s" Online="%s"/>\n' \
    "$1" "$2" "$3" >"$BIN/OrvantaData/State.xml"
}

# Runs the program, optionally opens the modification page through the user page's
# link, and saves the main window's picture.
shoot() {
  local file=$1 modify=${2:-} window
  start_program
  window=$(wait_for_main_window)
  if [ "$modify" = modify ]; then
    # The link "修改用户..." of the user page, in the window's client coordinates.
    xdotool mousemove --window "$window" 452 182 click 1
    sleep 1.5
  fi
  import -window "$window" "$ROOT/docs/$file"
  echo "$ROOT/docs/$file"
  wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1
  start_wine_session
}

mkdir -p "$ROOT/docs"
agent_state pro 2 True
register_agent
shoot user-page.png
register_agent
shoot user-modify-page.png modify
agent_state "" 3 False
register_agent
shoot user-page-no-user.png
