#!/usr/bin/env bash
# Guests stopped the ways screensaver hosts stop them, at random moments of their start.
#
#   bench/stop-storm.sh [guests] [program]     default: 100, build/app/varlenscr
#
# Under its own Xvfb, each guest gets a fresh 320 x 200 host window and is stopped by
# SIGTERM, SIGINT, SIGHUP or the host's destruction (chosen at random) at a random moment
# after its start: a third within the first 100 ms, the rest within 100-2500 ms. No
# session bus is given (as for mate-screensaver's guests). Verdict: every guest ended
# with code 0 within 5 s; no file but the lock files is left in the runtime folder;
# no process that carries this run's mark in its environment (a guest, or a D-Bus
# daemon it started) is left. Exit 0 when all three hold.
set -uo pipefail
# Job control: otherwise the shell starts background jobs with SIGINT ignored, which no
# screensaver host does.
set -m
cd "$(dirname "$0")/.."

guests=${1:-100}
program=$(realpath "${2:-build/app/varlenscr}")
tool=$(realpath build/tests/app/host_tool)
[ -x "$program" ] && [ -x "$tool" ] || { echo "build varlenscr and host_tool first" >&2; exit 2; }

# xvfb-run for the display; dbus-launch so that a guest could autolaunch a bus daemon,
# which the check below would then find.
need=()
for needed in xvfb-run:xvfb dbus-launch:dbus-x11; do
  command -v "${needed%%:*}" >/dev/null || need+=("${needed#*:}")
done
if [ ${#need[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

if [ -z "${STOP_STORM_INNER:-}" ]; then
  exec env STOP_STORM_INNER=1 xvfb-run -a -s '-screen 0 1024x768x24 -noreset' "$0" "$@"
fi

work=$(mktemp -d /tmp/varlen-storm.XXXXXX)
runtime=$work/runtime
mkdir -m 0700 "$runtime"
mkdir -p "$work/config"
mark="varlen-storm-$$-$RANDOM"
trap 'rm -rf "$work"' EXIT

methods=(TERM INT HUP destroy)
declare -A count=() zero=()
bad_exit=0 slow=0 leftovers=0 early=0
for ((i = 0; i < guests; i++)); do
  method=${methods[RANDOM % 4]}
  if ((i % 3 == 0)); then
    ms=$((RANDOM % 100))
    early=$((early + 1))
  else
    ms=$((100 + RANDOM % 2400))
  fi

  rm -f "$work/id" # never the last host's id
  "$tool" host 320x200 >"$work/id" &
  host=$!
  for _ in $(seq 1000); do [ -s "$work/id" ] && break; sleep 0.01; done
  id=$(head -n1 "$work/id")
  if [ -z "$id" ]; then
    echo "guest $i: the host window did not come within 10 s"
    kill -KILL "$host"; wait "$host"
    i=$((i - 1)); continue
  fi

  (
    unset DBUS_SESSION_BUS_ADDRESS XSCREENSAVER_WINDOW
    export XDG_RUNTIME_DIR="$runtime" XDG_CONFIG_HOME="$work/config" PULSE_SERVER=unix:/nonexistent \
      STOP_STORM_MARK="$mark"
    exec "$program" --window-id "$id" 2>>"$work/stderr"
  ) &
  guest=$!
  # The moment counts from the program's start (its exec), not from the shell's fork: a
  # signal before the exec would meet the shell, not the program.
  name=
  while [ "$name" != varlenscr ] && read -r name 2>/dev/null </proc/$guest/comm; do :; done
  sleep "$(printf '0.%03d' "$ms")" 2>/dev/null || sleep "$(awk "BEGIN{print $ms/1000}")"
  if [ "$method" = destroy ]; then
    kill -TERM "$host"
  else
    kill -"$method" "$guest"
  fi
  # At most 5 s to end.
  for _ in $(seq 500); do kill -0 "$guest" 2>/dev/null || break; sleep 0.01; done
  if kill -0 "$guest" 2>/dev/null; then
    slow=$((slow + 1))
    kill -KILL "$guest"
  fi
  wait "$guest"
  rc=$?
  kill -TERM "$host" 2>/dev/null
  wait "$host" 2>/dev/null

  count[$method]=$((${count[$method]:-0} + 1))
  if [ "$rc" -eq 0 ]; then
    zero[$method]=$((${zero[$method]:-0} + 1))
  else
    bad_exit=$((bad_exit + 1))
    echo "guest $i: $method at $ms ms: exit $rc"
  fi
  left=$(find "$runtime" -mindepth 1 ! -type d ! -name '*.lock')
  if [ -n "$left" ]; then
    leftovers=$((leftovers + 1))
    echo "guest $i: $method at $ms ms left:" $left
    find "$runtime" -mindepth 1 ! -type d ! -name '*.lock' -delete
  fi
done

# Processes that carry the mark: guests that outlived the wait, or daemons they started.
ours=()
for environ in /proc/[0-9]*/environ; do
  if { tr '\0' '\n' <"$environ"; } 2>/dev/null | grep -qx "STOP_STORM_MARK=$mark"; then
    pid=${environ#/proc/}; pid=${pid%/environ}
    ours+=("$pid:$(cat "/proc/$pid/comm" 2>/dev/null)")
  fi
done

for method in "${methods[@]}"; do
  echo "$method: ${zero[$method]:-0} of ${count[$method]:-0} ended with code 0"
done
echo "stopped within 100 ms of the start: $early of $guests"
echo "not ended within 5 s: $slow"
echo "guests that left a file in the runtime folder: $leftovers"
echo "left in the runtime folder at the end:" $(cd "$runtime" && find . -mindepth 1 | sort)
echo "processes of ours left: ${#ours[@]} ${ours[*]:-}"
echo "distinct stderr lines: $(sort -u "$work/stderr" | wc -l)"
sort "$work/stderr" | uniq -c | sort -rn | head -5
for pid in "${ours[@]%%:*}"; do kill -KILL "$pid" 2>/dev/null; done
[ "$bad_exit" -eq 0 ] && [ "$slow" -eq 0 ] && [ "$leftovers" -eq 0 ] && [ ${#ours[@]} -eq 0 ]
