#!/usr/bin/env bash
# Builds everything and runs the whole test suite under Wine, from a fresh Debian 12 machine.
source "$(dirname "$0")/lib.sh"
ensure_packages
build_all
prepare_prefix null
register_agent
keep_desktop
trap stop_wine_session EXIT
log "running the tests"
cd "$BUILD"
ctest --output-on-failure --timeout 120 "$@"
