#!/usr/bin/env bash
# CPU a screensaver guest spends per second of wall time at each frame delay, and the
# frames and steps per second it shows with --fps.
#
#   bench/guest-cpu.sh [WxH] [seconds] [delay...]    default: 1680x1050 10 10000 20000 40000
#
# Under its own Xvfb, for each delay: host_tool makes a host window of WxH and starts
# build/app/varlenscr --root --window-id <host> --fps --delay D in it; after a 3 s
# start the guest's user + system CPU time over the next `seconds` is read from /proc;
# then the --fps readout (bottom left) is saved as guest-D.png in the output folder for
# reading. Prints one line per delay.
set -euo pipefail
cd "$(dirname "$0")/.."

size=${1:-1680x1050}
seconds=${2:-10}
shift $(( $# >= 2 ? 2 : $# ))
delays=("$@")
[ ${#delays[@]} -gt 0 ] || delays=(10000 20000 40000)
if [ -z "${VARLEN_GUEST_CPU_INNER:-}" ]; then
  VARLEN_GUEST_CPU_INNER=1 exec xvfb-run -a -s "-screen 0 ${size}x24 -noreset" "$0" "$size" "$seconds" "${delays[@]}"
fi
out=$(mktemp -d /tmp/varlen-guest-cpu.XXXXXX)
program=$(realpath build/app/varlenscr)
tool=$(realpath build/tests/app/host_tool)

run_all() {
  local ticks
  ticks=$(getconf CLK_TCK)
  for delay in "$@"; do
    "$tool" preview "$size" "$out/guest-$delay-full.png" $(( (seconds + 4) * 1000 )) \
      "$program" --root --window-id '{id}' --fps --delay "$delay" >/dev/null &
    local host=$!
    sleep 3
    local guest
    guest=$(pgrep -P "$host" | head -1)
    local t0 c0 t1 c1
    t0=$(date +%s.%N)
    c0=$(awk '{print $14 + $15}' "/proc/$guest/stat")
    sleep "$seconds"
    t1=$(date +%s.%N)
    c1=$(awk '{print $14 + $15}' "/proc/$guest/stat")
    local h=${size#*x}
    "$tool" grab 0 $((h - 40)) 360 40 "$out/guest-$delay.png" >/dev/null || true
    wait "$host" || true
    echo "delay $delay: CPU $(echo "($c1 - $c0) / $ticks / ($t1 - $t0)" | bc -l | cut -c1-5) s per s of wall time; readout: $out/guest-$delay.png"
  done
}
run_all "${delays[@]}"
