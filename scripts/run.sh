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
Xvfb :97 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'stop_wine_session; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=:97
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

prepare_prefix x11
register_agent
(cd "$BIN" && wine VTUserCnfg.exe >/dev/null 2>&1 </dev/null &)

window=
for _ in $(seq 150); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"维特兰诺用户管理"/ {print $1; exit}')
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "the main window did not appear" >&2; exit 1; }
sleep 2  # let the first poll ticks and the paint settle
import -window "$window" "$shot"
echo "$shot"
