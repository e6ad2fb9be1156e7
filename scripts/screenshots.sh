#!/usr/bin/env bash
# Takes the screenshots of the README on a virtual display: the user page, the options
# page and the records pages with the demo accounts signed in and with no usable
# account, the user modification page (reachable only while an account is held), the
# three record editors, the hierarchy pages (the professional one also as the
# standard account's snapshot) with their two dialogs showing the agent's matches for
# what was typed, and the information page on each of its three tabs. Writes them to
# docs/.
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

# Runs the program, clicks the points given as x,y in the window's client coordinates
# one after another (or types "type:TEXT", or presses "key:NAME"), and saves the main
# window's picture.
shoot() {
  local file=$1 window point
  shift
  register_agent
  start_program
  window=$(wait_for_main_window)
  for point in "$@"; do
    case $point in
      type:*) xdotool type --delay 80 "${point#type:}" ;;
      key:*) xdotool key "${point#key:}" ;;
      *) xdotool mousemove --window "$window" "${point%,*}" "${point#*,}" click 1 ;;
    esac
    sleep 1.5
  done
  # The pointer off the window, so that no button shows the face it has under it.
  xdotool mousemove 1020 760
  sleep 0.5
  import -window "$window" "$ROOT/docs/$file"
  echo "$ROOT/docs/$file"
  wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1
  start_wine_session
}

# Places in the client area: the user page's link "修改用户...", the navigation buttons
# of the records, the information and the options pages, the records toolbar's
# new-host and properties buttons, the records grid's rows 4 (the professional demo
# account's first alias) and 6 (its first mail exchanger), the hierarchy button, the
# add buttons of the professional hierarchy page's parent and child groups, the
# standard hierarchy page's snapshot link, and the information page's second and
# third tabs.
MODIFY_LINK=452,182
RECORDS=82,184
OPTIONS=82,328
INFO=82,280
NEW_HOST=236,106
PROPERTIES=491,106
ALIAS_ROW=234,198
EXCHANGER_ROW=234,230
HIERARCHY=82,232
ADD_PARENT=521,110
ADD_CHILD=521,234
SNAPSHOT_HIERARCHY=493,348
CATEGORIES_TAB=280,361
NEWS_TAB=357,361

mkdir -p "$ROOT/docs"
agent_state pro 2 True
shoot user-page.png
shoot user-modify-page.png $MODIFY_LINK
shoot options-page.png $OPTIONS
shoot records-pro.png $RECORDS
shoot record-host.png $RECORDS $NEW_HOST
shoot record-alias.png $RECORDS $ALIAS_ROW $PROPERTIES
shoot record-mx.png $RECORDS $EXCHANGER_ROW $PROPERTIES
shoot hierarchy-pro.png $HIERARCHY
shoot hierarchy-parent.png $HIERARCHY $ADD_PARENT type:club
shoot hierarchy-child.png $HIERARCHY $ADD_CHILD type:nas key:Tab type:photo
shoot info-page.png $INFO
shoot info-categories.png $INFO $CATEGORIES_TAB
shoot info-news.png $INFO $NEWS_TAB
agent_state std 2 True
shoot records-std.png $RECORDS
shoot hierarchy-std.png $HIERARCHY
shoot hierarchy-snapshot.png $HIERARCHY $SNAPSHOT_HIERARCHY
agent_state "" 3 False
shoot user-page-no-user.png
shoot options-page-no-user.png $OPTIONS
shoot records-std-no-user.png $RECORDS
