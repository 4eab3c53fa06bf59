#!/usr/bin/env bash
# Resident memory of the real program while someone clicks: 25 fish, a left click at a
# random point every 0.15 s, first in Feed Fish mode, then in Touch Fish mode (chosen in
# the right-button menu). It prints figures and asserts nothing.
# Usage, under an X server of the size to measure (xdotool must be installed):
#   xvfb-run -a -s '-screen 0 1680x1050x24 -noreset' bench/click-memory.sh build/app/varlenscr [clicks]
set -euo pipefail
program=$1
clicks=${2:-300}
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME/VarlenScr" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
{
    echo "[Fish Number]"
    for i in $(seq 0 24); do echo "Fish$i=1"; done
} >"$XDG_CONFIG_HOME/VarlenScr/VarlenSet.ini"

"$program" >/dev/null 2>&1 &
pid=$!
sleep 4
read -r width height < <(xdotool getdisplaygeometry)
rss() { awk '/VmRSS/ { printf "%.1f MB", $2 / 1024 }' "/proc/$pid/status"; }
clickAway() {
    for ((n = 1; n <= clicks; ++n)); do
        xdotool mousemove $((RANDOM % width)) $((RANDOM % height)) click 1
        sleep 0.15
        if ((n == clicks / 2 || n == clicks)); then echo "$1, $n clicks: $(rss)"; fi
    done
}
echo "start: $(rss)"
clickAway "Feed Fish"
# The menu opens with its corner at the pointer; "Touch Fish" is its second 48-pixel entry.
xdotool mousemove $((width / 2)) $((height / 2)) click 3
sleep 1
xdotool mousemove $((width / 2 + 70)) $((height / 2 + 48 + 24)) click 1
sleep 0.5
clickAway "Touch Fish"
