#!/usr/bin/env bash
# Builds everything and runs the whole test suite under Wine, from a fresh Debian 12 machine.
source "$(dirname "$0")/lib.sh"
prepare_headless_session
log "running the tests"
cd "$BUILD"
ctest --output-on-failure --timeout 120 "$@"
