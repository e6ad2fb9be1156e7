# Shared steps of run.sh and test.sh: install what is missing, configure and build
# with the MinGW-w64 cross compiler, and prepare the project's own Wine prefix.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${VT_BUILD_DIR:-$ROOT/build}
BIN=$BUILD/bin
export WINEPREFIX=$BUILD/wineprefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# No Mono or Gecko installers: nothing here needs them and there is no network.
export WINEDLLOVERRIDES="mscoree,mshtml="

PACKAGES=(cmake make g++-mingw-w64-x86-64-posix mingw-w64-tools libwine-dev wine wine64
          googletest fonts-wqy-microhei xvfb xauth imagemagick x11-utils locales nsis clang-tidy
          bind9 bind9-dnsutils)

log() { printf '== %s\n' "$*" >&2; }

ensure_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing ${missing[*]}"
  local sudo=; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Configures the build folder (once is enough; the build configures again on changes).
configure_build() {
  # ccache, when the machine has it, shares compiled objects between checkouts (paths
  # below the checkout are hashed relative to it).
  local launcher=()
  if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=$ROOT
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
}

# Builds the given targets, or everything.
build_all() {
  log "configuring and building in $BUILD"
  configure_build
  local targets=()
  for t in "$@"; do targets+=(--target "$t"); done
  cmake --build "$BUILD" -j"$(nproc)" "${targets[@]}" -- --no-print-directory
}

# Sets a registry value in the prefix: key, name, type, data.
reg_set() { wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1; }

# Prepares the prefix for a display driver ("null" for headless runs, "x11" for a real
# or virtual display) and starts a Wine session under it. Wine reads the driver when
# its desktop process starts, so the session is restarted after the registry is set.
prepare_prefix() {
  local driver=${1:-null}
  if [ ! -f "$WINEPREFIX/.update-timestamp" ]; then
    log "creating the Wine prefix $WINEPREFIX"
    DISPLAY= wine wineboot -i >/dev/null 2>&1
  fi
  import_reg "$ROOT/scripts/prefix.reg"
  reg_set 'HKCU\Software\Wine\Drivers' Graphics REG_SZ "$driver"
  stop_wine_session
  start_wine_session
}

# Imports a UTF-8 .reg file (regedit wants UTF-16 for the Chinese font names).
import_reg() {
  local tmp="$BUILD/$(basename "$1" .reg).utf16.reg"
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$1"; } >"$tmp"
  wine regedit /S "$tmp" >/dev/null 2>&1 </dev/null
}

# Holds Wine's desktop open so that it is not started (and waited for) in every test.
keep_desktop() {
  [ -f "$BUILD/tests/keep-desktop.exe" ] || return 0
  (wine "$BUILD/tests/keep-desktop.exe" >/dev/null 2>&1 </dev/null &)
}

# Ends every Wine process of this prefix (the agent included) and waits until the
# server is gone, so that the registry is on disk.
stop_wine_session() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}

# A persistent wineserver and one warm-up process, outside any test's pipes, so Wine's
# background services do not start inside (and hold the output of) the first test.
start_wine_session() {
  wineserver -p >/dev/null 2>&1 </dev/null || true
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

register_agent() {
  log "registering the replacement agent"
  # An agent of an earlier build may still run in this Wine session.
  wine "$BIN/Orvanta.exe" -Quit >/dev/null 2>&1 </dev/null || true
  wine "$BIN/Orvanta.exe" -RegServer >/dev/null 2>&1 </dev/null
  # Started here, outside the test runner's pipes: an agent that COM starts from a test
  # inherits that test's stderr under Wine and keeps CTest waiting until it ends.
  # Registering its classes also replaces one left behind by an agent that died.
  wine "$BIN/Orvanta.exe" >/dev/null 2>&1 </dev/null &
}

# A German locale (decimal comma) and a Chinese one in the build folder, for the tests
# of the locale rule for reals and of the language box; tests run under them with
# LOCPATH and LANG set.
make_test_locales() {
  mkdir -p "$BUILD/locales"
  local locale
  for locale in de_DE zh_CN; do
    [ -d "$BUILD/locales/$locale.UTF-8" ] && continue
    localedef -i "$locale" -f UTF-8 "$BUILD/locales/$locale.UTF-8" >/dev/null 2>&1 || true
  done
}

# Everything a headless run of the tests or benchmarks needs, on a fresh machine too:
# packages, the build, the prefix on the null driver, the registered agent running, and
# the desktop held open. The Wine session ends when the calling script does.
prepare_headless_session() {
  ensure_packages
  build_all
  make_test_locales
  prepare_prefix null
  register_agent
  keep_desktop
  trap stop_wine_session EXIT
}

# A virtual X display (:N, or :$VT_DISPLAY when set, so that checkouts side by side
# do not share one) for the X11 driver, gone when the calling script ends (with the
# Wine session).
start_virtual_display() {
  set -- "${VT_DISPLAY:-$1}"
  Xvfb ":$1" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  VIRTUAL_DISPLAY_PID=$!
  trap 'stop_wine_session; kill $VIRTUAL_DISPLAY_PID 2>/dev/null || true' EXIT
  export DISPLAY=":$1"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}

# Starts the program in the background.
start_program() { (cd "$BIN" && wine VTUserCnfg.exe >/dev/null 2>&1 </dev/null &); }

# Prints the X window whose line in the window tree matches the awk pattern once it is
# shown; fails when none appears within 30 s. (It starts nothing: a process started
# inside a command substitution would keep the substitution waiting on its output.)
wait_for_window() {
  local window=
  for _ in $(seq 150); do
    window=$(xwininfo -root -tree 2>/dev/null | awk -v pattern="$1" '$0 ~ pattern {print $1; exit}')
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "no window $1 appeared" >&2; return 1; }
  echo "$window"
}

# Prints the X window of the program's main window once it is shown and painted.
wait_for_main_window() {
  local window
  window=$(wait_for_window '"维特兰诺用户管理"') || return 1
  sleep 2  # let the first poll ticks and the paint settle
  echo "$window"
}
