#!/usr/bin/env bash
# Takes the screenshots of the README on a virtual display: the user page, the options
# page and the records pages with the demo accounts signed in and with no usable
# account, the user modification page (reachable only while an account is held), and
# the three record editors; and the setup program's welcome and start-up pages. Writes
# them to docs/.
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
# one after another, and saves the main window's picture.
shoot() {
  local file=$1 window point
  shift
  register_agent
  start_program
  window=$(wait_for_main_window)
  for point in "$@"; do
    xdotool mousemove --window "$window" "${point%,*}" "${point#*,}" click 1
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
# of the records and the options pages, the records toolbar's new-host and properties
# buttons, and the records grid's rows 4 (the professional demo account's first alias)
# and 6 (its first mail exchanger).
MODIFY_LINK=452,182
RECORDS=82,184
OPTIONS=82,328
NEW_HOST=236,106
PROPERTIES=491,106
ALIAS_ROW=234,198
EXCHANGER_ROW=234,230

mkdir -p "$ROOT/docs"
agent_state pro 2 True
shoot user-page.png
shoot user-modify-page.png $MODIFY_LINK
shoot options-page.png $OPTIONS
shoot records-pro.png $RECORDS
shoot record-host.png $RECORDS $NEW_HOST
shoot record-alias.png $RECORDS $ALIAS_ROW $PROPERTIES
shoot record-mx.png $RECORDS $EXCHANGER_ROW $PROPERTIES
agent_state std 2 True
shoot records-std.png $RECORDS
agent_state "" 3 False
shoot user-page-no-user.png
shoot options-page-no-user.png $OPTIONS
shoot records-std-no-user.png $RECORDS

# The setup program's welcome and start-up pages, in Chinese, in a Wine prefix of their
# own: the setup registers the agent in its install folder, which the build's prefix
# must not see.
shoot_setup() {
  local setup window
  setup=$(ls "$BUILD"/dist/VTUserCnfg-*-setup.exe | head -n 1)
  mkdir -p "$BUILD/locales"
  [ -d "$BUILD/locales/zh_CN.UTF-8" ] || localedef -i zh_CN -f UTF-8 "$BUILD/locales/zh_CN.UTF-8"
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
