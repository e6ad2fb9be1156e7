#!/usr/bin/env bash
# Runs the standard-user suite: the setup program installs the product silently in a
# Wine prefix of a Unix user of its own (Wine gives every program an administrator's
# token but keeps the Unix file permissions, so a user other than root meets a
# read-only folder as a standard user meets "Program Files" on Windows), the install
# folder is made read-only, and StandardUserTest drives the installed program against
# the installed agent. Everything runs from a staging folder that user owns, made for
# the run and removed after it.
#   run-standard-user-test.sh <build folder>
set -euo pipefail
export VT_BUILD_DIR=$1
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"

TEST_USER=vt-standard-user
if [ "$(id -u)" -ne 0 ]; then
  echo "the standard-user suite makes a Unix user of its own and runs as it: run as root" >&2
  exit 77  # skipped
fi
id -u "$TEST_USER" >/dev/null 2>&1 || useradd --create-home --shell /usr/sbin/nologin "$TEST_USER"
TEST_HOME=$(getent passwd "$TEST_USER" | cut -d: -f6)

setups=("$BUILD"/dist/VTUserCnfg-*-setup.exe)
SETUP=$(basename "${setups[0]}")
STAGE=$(mktemp -d /tmp/vt-standard-user.XXXXXX)
mkdir -p "$STAGE/tests" "$STAGE/tmp"  # tmp: the user's wineserver keeps its socket there
cp "$BUILD/dist/$SETUP" "$STAGE/"
cp "$BUILD/tests/standard_user_test.exe" "$BUILD/tests/keep-desktop.exe" "$STAGE/tests/"
chmod 755 "$STAGE"
chown -R "$TEST_USER:" "$STAGE"

# Every Wine command of lib.sh runs as that user, in its own prefix, which it must own.
export WINEPREFIX=$STAGE/prefix
BUILD=$STAGE  # lib.sh's scratch files and the desktop holder, where the user reads them
as_test_user() {
  runuser -u "$TEST_USER" -- env PATH="$PATH" HOME="$TEST_HOME" USER="$TEST_USER" \
    TMPDIR="$STAGE/tmp" WINEPREFIX="$WINEPREFIX" WINEARCH="$WINEARCH" WINEDEBUG="$WINEDEBUG" \
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES" "$@"
}
wine() { as_test_user wine "$@"; }
wineserver() { as_test_user wineserver "$@"; }

cleanup() {
  stop_wine_session
  chmod -R u+w "$STAGE" 2>/dev/null || true
  rm -rf "$STAGE"
}
trap cleanup EXIT

log "preparing the Wine prefix of $TEST_USER"
prepare_prefix null
keep_desktop

# The setup program wants its folder last and unquoted: cmd passes the line on as it is.
log "installing silently as $TEST_USER"
wine cmd /c "Z:${STAGE//\//\\}\\$SETUP /S /AUTORUN=0 /D=C:\\Program Files\\Veltrano" </dev/null >/dev/null 2>&1
INSTALLED="$WINEPREFIX/drive_c/Program Files/Veltrano"
[ -f "$INSTALLED/VTUserCnfg.exe" ] || { echo "the setup program installed nothing" >&2; exit 1; }
chmod -R a-w "$INSTALLED"
DATA_PARENT="$WINEPREFIX/drive_c/ProgramData/Veltrano"

# The output goes through a file: the agents the tests start inherit it under Wine and
# would otherwise hold CTest's pipe open.
status=0
run_tests() {
  local out=$STAGE/tests/output.log
  wine "$STAGE/tests/standard_user_test.exe" "$@" >"$out" 2>&1 </dev/null || status=1
  cat "$out"
}

# First with a data folder the agent cannot create, then with the one setup prepared.
mv "$DATA_PARENT/OrvantaData" "$STAGE/OrvantaData.prepared"
chmod a-w "$DATA_PARENT"
run_tests --gtest_filter='StandardUserTest.AnUnwritableDataFolder*'
chmod u+w "$DATA_PARENT"
mv "$STAGE/OrvantaData.prepared" "$DATA_PARENT/OrvantaData"
run_tests --gtest_filter='StandardUserTest.TheInstalledProduct*'
exit $status
