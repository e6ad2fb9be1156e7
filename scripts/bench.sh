#!/usr/bin/env bash
# Builds everything and runs every benchmark under Wine, printing their figures.
source "$(dirname "$0")/lib.sh"
ensure_packages
build_all
prepare_prefix
set_display_driver null
register_agent
keep_desktop
trap stop_wine_session EXIT
for b in "$BUILD"/bench/*.exe; do
  log "$(basename "$b" .exe)"
  (cd "$BIN" && wine "$b")
done
