#!/usr/bin/env bash
# The aquarium under Debian's real xscreensaver daemon, on an X server of its own:
#   bench/xscreensaver_check.sh [build-dir]
# Runs as root: installs xscreensaver when missing, makes a user "varlenscr-check" (the
# daemon refuses to run as root), gives it a ~/.xscreensaver that lists only this
# program, starts the daemon on a private Xvfb and then
#   - xscreensaver-command -activate: waits up to 15 s for the aquarium on the screen
#     (the screen's mean colour is the tank's water, not the daemon's black);
#   - xscreensaver-command -deactivate: waits up to 10 s for the program to end.
# Prints what it saw and the times; exit code 0 when both held. Not part of the tests:
# it needs root, a user of its own and a package the tests do not.
set -euo pipefail

build=$(realpath "${1:-build}")
binary="$build/app/varlenscr"
tool="$build/tests/app/host_tool"
user=varlenscr-check
[ -x "$binary" ] && [ -x "$tool" ] || { echo "build varlenscr and host_tool first" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "run as root (it makes a user)" >&2; exit 2; }

if ! command -v xscreensaver >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends xscreensaver >/dev/null
fi
id -u "$user" >/dev/null 2>&1 || useradd -m -s /bin/sh "$user"
home=$(getent passwd "$user" | cut -d: -f6)

# The program where the user can run it.
work=$(mktemp -d /tmp/varlenscr-check.XXXXXX)
chmod 755 "$work"
chown "$user" "$work"
install -m 755 "$binary" "$work/varlenscr"

display=
for n in $(seq 40 99); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
[ -n "$display" ] || { echo "no free display number" >&2; exit 2; }

daemon_pid=
xvfb_pid=
cleanup() {
  [ -n "$daemon_pid" ] && kill "$daemon_pid" 2>/dev/null || true
  # Guests the daemon started for the check's own user, by their ids.
  for pid in $(pgrep -u "$user" -x varlenscr || true); do kill "$pid" 2>/dev/null || true; done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# -ac: the user's clients may connect without an authority file.
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp -ac >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

cat > "$home/.xscreensaver" <<EOF
mode:		one
selected:	0
timeout:	1:00:00
cycle:		0:00:00
lock:		False
splash:		False
fade:		False
unfade:		False
dpmsEnabled:	False
programs:	GL: $work/varlenscr --root	\n
EOF
chown "$user" "$home/.xscreensaver"

as_user() { su -s /bin/sh "$user" -c "cd; export DISPLAY=$display; $*"; }

as_user "xscreensaver -no-splash > $work/daemon.log 2>&1 & echo \$! > $work/daemon.pid"
daemon_pid=$(cat "$work/daemon.pid")
for _ in $(seq 100); do as_user "xscreensaver-command -time" >/dev/null 2>&1 && break; sleep 0.1; done

now() { date +%s.%N; }
# The tank's water: blue well above red (the daemon's black and the white fog of a
# first frame are not).
mean_colour() { DISPLAY=$display "$tool" grab 0 0 1280 800 "$work/screen.png" | awk '/^mean/ {print $2, $3, $4}'; }
looks_like_water() { mean_colour | awk '{exit !($3 > 80 && $3 > $1 + 40)}'; }

echo "before: screen mean colour $(mean_colour)"
start=$(now)
as_user "xscreensaver-command -activate" >/dev/null
shown=
for _ in $(seq 150); do
  if pgrep -u "$user" -x varlenscr >/dev/null && looks_like_water; then shown=$(now); break; fi
  sleep 0.1
done
pids=$(pgrep -u "$user" -x varlenscr | tr '\n' ' ' || true)
if [ -n "$shown" ]; then
  echo "activate: aquarium on the screen after $(awk "BEGIN {printf \"%.2f\", $shown - $start}") s (processes: $pids)"
  sleep 2
  echo "2 s later: screen mean colour $(mean_colour)"
  cp "$work/screen.png" /tmp/xscreensaver-check.png && echo "screen saved to /tmp/xscreensaver-check.png"
else
  echo "activate: no aquarium within 15 s (processes: ${pids:-none}; mean colour $(mean_colour))"
  sed 's/^/  daemon: /' "$work/daemon.log" | tail -20
fi

start=$(now)
as_user "xscreensaver-command -deactivate" >/dev/null
ended=
for _ in $(seq 100); do
  if ! pgrep -u "$user" -x varlenscr >/dev/null; then ended=$(now); break; fi
  sleep 0.1
done
if [ -n "$ended" ]; then
  echo "deactivate: the program ended after $(awk "BEGIN {printf \"%.2f\", $ended - $start}") s"
else
  echo "deactivate: the program still runs after 10 s"
fi
[ -n "$shown" ] && [ -n "$ended" ]
