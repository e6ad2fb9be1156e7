#!/usr/bin/env bash
# Takes the screenshots of the README on a virtual display: the user page, the options
# page, the records pages and the DNS settings pages with the demo accounts signed in
# and with no usable account, the user modification page (reachable only while an
# account is held), the three record editors, the DNS snapshot view and the
# redirection wizard with a composed URL, the hierarchy pages (the professional one
# also as the standard account's snapshot) with their two dialogs showing the agent's
# matches for what was typed, the information page on each of its three tabs, and the
# setup program's welcome and start-up pages. Writes them to docs/. With file names as
# arguments (e.g. dns-std.png) it takes only those.
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
    "$1" "$2" "$3" >"$WINEPREFIX/drive_c/ProgramData/Veltrano/OrvantaData/State.xml"
}

WANTED=("$@")

# Runs the program, takes the steps given one after another (x,y: a click at that point
# of the window's client area; key:NAME: a key; type:TEXT: typed text), and saves the
# main window's picture.
shoot() {
  local file=$1 window step
  shift
  if [ ${#WANTED[@]} -gt 0 ] && [[ " ${WANTED[*]} " != *" $file "* ]]; then return 0; fi
  register_agent
  start_program
  window=$(wait_for_main_window)
  for step in "$@"; do
    case $step in
      key:*) xdotool key "${step#key:}"; sleep 0.5 ;;
      # Typed text may start a delayed search: its answer is given time to show.
      type:*) xdotool type --delay 50 "${step#type:}"; sleep 1.5 ;;
      *) xdotool mousemove --window "$window" "${step%,*}" "${step#*,}" click 1; sleep 1.5 ;;
    esac
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
DNS=82,136
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
# The DNS pages: the offline tab, the standard page's snapshot button, the online
# settings' wizard button; in the wizard, the protocol and host chosen by the keyboard
# and the port, folder and file typed.
OFFLINE_TAB=270,361
SNAPSHOT=500,148
WIZARD=528,320
COMPOSE=(key:Down key:Tab key:Down key:Tab type:8080 key:Tab type:web/ key:Tab type:index.htm)

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
shoot dns-pro.png $DNS
shoot dns-pro-offline.png $DNS $OFFLINE_TAB
shoot url-wizard.png $DNS $WIZARD "${COMPOSE[@]}"
agent_state std 2 True
shoot records-std.png $RECORDS
shoot hierarchy-std.png $HIERARCHY
shoot hierarchy-snapshot.png $HIERARCHY $SNAPSHOT_HIERARCHY
shoot dns-std.png $DNS
shoot dns-snapshot.png $DNS $SNAPSHOT
agent_state "" 3 False
shoot user-page-no-user.png
shoot options-page-no-user.png $OPTIONS
shoot records-std-no-user.png $RECORDS
shoot dns-std-no-user.png $DNS

# The setup program's welcome and start-up pages, in Chinese, in a Wine prefix of their
# own: the setup registers the agent in its install folder, which the build's prefix
# must not see.
shoot_setup() {
  local setup window
  if [ ${#WANTED[@]} -gt 0 ] && [[ " ${WANTED[*]} " != *" setup-"* ]]; then return 0; fi
  setup=$(ls "$BUILD"/dist/VTUserCnfg-*-setup.exe | head -n 1)
  make_test_locales
  stop_wine_session
  (
    export WINEPREFIX=$BUILD/setup-shots-prefix LOCPATH=$BUILD/locales LANG=zh_CN.UTF-8
    rm -rf "$WINEPREFIX"
    prepare_prefix x11
    (wine "$setup" >/dev/null 2>&1 </dev/null &)
    window=$(wait_for_window '"Veltrano .* 安装"') || exit 1
    sleep 1.5
    import -window "$window" "$ROOT/docs/setup-welcome.png"
    echo "$ROOT/docs/setup-welcome.png"
    xdotool key --window "$window" Return  # to the folder page
    sleep 1
    xdotool key --window "$window" Return  # to the start-up page
    sleep 1.5
    import -window "$window" "$ROOT/docs/setup-start-up.png"
    echo "$ROOT/docs/setup-start-up.png"
    stop_wine_session
    rm -rf "$WINEPREFIX"
  )
}
shoot_setup
