#!/usr/bin/env bash
# Runs the setup program's test in a Wine prefix of its own, made fresh for the run and
# removed after it: the machine has never seen the product (the build's shared prefix
# has the agent registered from the build folder), and the other tests' prefix is left
# undisturbed.
#   run-installer-test.sh <build folder> [GoogleTest arguments...]
set -euo pipefail
export VT_BUILD_DIR=$1
shift
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
export WINEPREFIX=$BUILD/installer-prefix

[ -d "$WINEPREFIX" ] && stop_wine_session  # left by a run that was killed
rm -rf "$WINEPREFIX"
trap 'stop_wine_session; rm -rf "$WINEPREFIX"' EXIT
prepare_prefix null
keep_desktop

# The output goes through a file: the agents and services the test starts inherit it
# under Wine and would otherwise hold CTest's pipe open.
mkdir -p "$BUILD/test-output"
out=$BUILD/test-output/installer.$$.log
status=0
wine "$BUILD/tests/installer_test.exe" "$@" >"$out" 2>&1 </dev/null || status=$?
cat "$out"
rm -f "$out"
exit $status
