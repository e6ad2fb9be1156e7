#!/usr/bin/env bash
# Takes the screenshots of the README on a virtual display: the user page and the
# options page with the demo account signed in and with no usable account, and the
# user modification page (reachable only while an account is held). Writes them to
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

# Where to click, in the main window's client coordinates, to reach a page: the user
# page's link "修改用户...", and the navigation button of the options page.
MODIFY_LINK=(452 182)
OPTIONS_BUTTON=(82 328)

# Runs the program, optionally clicks at x y to open another page, and saves the main
# window's picture.
shoot() {
  local file=$1 x=${2:-} y=${3:-} window
  start_program
  window=$(wait_for_main_window)
  if [ -n "$x" ]; then
    xdotool mousemove --window "$window" "$x" "$y" click 1
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
shoot user-modify-page.png "${MODIFY_LINK[@]}"
register_agent
shoot options-page.png "${OPTIONS_BUTTON[@]}"
agent_state "" 3 False
register_agent
shoot user-page-no-user.png
register_agent
shoot options-page-no-user.png "${OPTIONS_BUTTON[@]}"

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
    for _ in $(seq 100); do
      window=$(xwininfo -root -tree 2>/dev/null | awk '/"Veltrano .* 安装"/ {print $1; exit}')
      [ -n "$window" ] && break
      sleep 0.2
    done
    [ -n "$window" ] || { echo "the setup program's window did not appear" >&2; exit 1; }
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
