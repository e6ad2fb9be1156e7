#!/usr/bin/env bash
# Builds everything and runs every benchmark under Wine, printing their figures.
source "$(dirname "$0")/lib.sh"
prepare_headless_session
for b in "$BUILD"/bench/*.exe; do
  log "$(basename "$b" .exe)"
  (cd "$BIN" && wine "$b")
done

# The idle program's share of one core: its process's CPU time over 10 s, read from
# the kernel (Wine runs it as an ordinary process), after start-up has settled.
log "idle cpu"
(cd "$BIN" && wine VTUserCnfg.exe >/dev/null 2>&1 </dev/null &)
sleep 3
pid=$(pgrep -x VTUserCnfg.exe | head -n 1)
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(ticks); sleep 10; after=$(ticks)
hz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$hz" \
  'BEGIN { printf "%-44s %10.3f %%  (target < 1%%)\n", "idle program, share of one core over 10 s", 100 * t / hz / 10 }'
kill "$pid" 2>/dev/null || true
