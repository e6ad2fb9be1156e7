#!/usr/bin/env bash
# Runs clang-tidy with the project's checks (.clang-tidy) over the program's and the
# agent's sources, parsed for the MinGW-w64 target with its own headers, the files in
# parallel. Prints every finding; exits 1 when there is any. Needs the build folder
# for the generated headers (the agent's interfaces).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VT_BUILD_DIR:-$ROOT/build}
cd "$ROOT"
command -v clang-tidy >/dev/null || { echo "clang-tidy is not installed"; exit 77; }
GCC=x86_64-w64-mingw32-g++-posix
VERSION_DIR=$(dirname "$($GCC -print-libgcc-file-name)")
ARGS=(--target=x86_64-w64-mingw32 -std=c++20 -DNOMINMAX -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN
      -D_WIN32_WINNT=0x0601 -I"$ROOT" -I"$BUILD" -nostdinc++
      -isystem "$VERSION_DIR/include/c++" -isystem "$VERSION_DIR/include/c++/x86_64-w64-mingw32"
      -isystem "$VERSION_DIR/include/c++/backward" -isystem /usr/x86_64-w64-mingw32/include)
FILES=$(git ls-files 'toolkit/*.cpp' 'skin/*.cpp' 'shell/*.cpp' 'pages/*.cpp' 'agent/*.cpp' 'profile/*.cpp' 'orvanta/*.cpp')
REPORT=$(mktemp)
trap 'rm -f "$REPORT"' EXIT
printf '%s\n' $FILES | xargs -P"$(nproc)" -I{} sh -c 'clang-tidy --quiet "$0" -- "$@" 2>/dev/null || true' {} "${ARGS[@]}" >"$REPORT"
FINDINGS=$(grep -c ': warning: \|: error: ' "$REPORT" || true)
cat "$REPORT"
echo "static analysis: $(echo $FILES | wc -w) files, $FINDINGS findings"
[ "$FINDINGS" -eq 0 ]
