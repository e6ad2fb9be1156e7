#!/usr/bin/env bash
# Builds everything and runs every benchmark under Wine, printing their figures. A
# benchmark that fails says so and the others still run; the script fails at the end.
source "$(dirname "$0")/lib.sh"
prepare_headless_session
# Every benchmark starts from the demo data: signed in and online.
wine "$BIN/Orvanta.exe" -Reset >/dev/null 2>&1 </dev/null || true
failed=()
for b in "$BUILD"/bench/*.exe; do
  name=$(basename "$b" .exe)
  [ "$name" = bench_latency ] && continue  # on a display, below
  log "$name"
  (cd "$BIN" && wine "$b") || { log "$name failed (exit code $?)"; failed+=("$name"); }
done

# Where the program's start-up goes: each step it marks, timed in a traced copy.
log "bench_startup --trace"
(cd "$BIN" && wine "$BUILD/bench/bench_startup.exe" --trace) || { log "the start-up trace failed"; failed+=("start-up trace"); }

# The pid of this prefix's process of that name (the kernel keeps 15 characters of
# it); other checkouts' Wine sessions run programs of the same names.
prefix_pid() {
  local p
  for p in $(pgrep -x "${1:0:15}"); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { echo "$p"; return; }
  done
}
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }

# The idle share of one core of a client of the agent and of the agent, from the
# kernel's counters (Wine runs each as an ordinary process) over 30 s once start-up
# has settled (the program makes its pages ahead in the first seconds while idle). The
# client is ended afterwards.
idle_share() {
  local label=$1 exe=$2 note=$3 seconds=30
  (cd "$BIN" && exec wine "$exe" >/dev/null 2>&1 </dev/null) &
  sleep 8
  local client agent
  client=$(prefix_pid "$(basename "$exe")")
  agent=$(prefix_pid Orvanta.exe)
  if [ -z "$client" ] || [ -z "$agent" ]; then
    log "$label: the client or the agent is not running"; failed+=("idle $label"); return 0
  fi
  local c0 a0 c1 a1
  c0=$(ticks "$client"); a0=$(ticks "$agent"); sleep $seconds; c1=$(ticks "$client"); a1=$(ticks "$agent")
  kill "$client" 2>/dev/null || true
  IDLE_TICKS[$label]=$((c1 - c0))
  awk -v c=$((c1 - c0)) -v a=$((a1 - a0)) -v hz="$(getconf CLK_TCK)" -v s=$seconds -v l="$label" -v n="$note" 'BEGIN {
    printf "%-44s %10.3f %%  (%s)\n", "idle " l ", share of one core", 100 * c / hz / s, n
    printf "%-44s %10.3f %%  (serving it, over the same %d s)\n", "    the agent", 100 * a / hz / s, s }'
  sleep 1
}

log "idle cpu"
declare -A IDLE_TICKS
# Signed in and online: the state the demo data starts in.
wine "$BIN/Orvanta.exe" -Reset >/dev/null 2>&1 </dev/null || true
idle_share "program" VTUserCnfg.exe "target < 1%"
# The same three agent calls ten times a second from a client that does nothing else:
# what the calls alone cost here.
idle_share "minimal client" ../bench/helpers/bench_poll_client.exe "the poll's 3 calls, 10 a second"
awk -v p="${IDLE_TICKS[program]:-0}" -v m="${IDLE_TICKS[minimal client]:-0}" 'BEGIN {
  if (m > 0) printf "%-44s %10.2fx  (target <= 1.1x)\n", "idle program vs the minimal client", p / m }'

# Clicks as a hand's arrive: the latency benchmark needs windows that take real input,
# so it runs on a virtual display with the X11 driver (the session is started again
# under it, the agent with it).
log "bench_latency (on a virtual display)"
start_virtual_display 97
prepare_prefix x11
register_agent
wine "$BIN/Orvanta.exe" -Reset >/dev/null 2>&1 </dev/null || true
(cd "$BIN" && wine "$BUILD/bench/bench_latency.exe") || { log "bench_latency failed (exit code $?)"; failed+=(bench_latency); }
# Headless again for whatever runs in this prefix next.
reg_set 'HKCU\Software\Wine\Drivers' Graphics REG_SZ null

[ ${#failed[@]} -eq 0 ] || { log "failed: ${failed[*]}"; exit 1; }
