#!/usr/bin/env bash
# An hour (or SECONDS_TO_RUN) of a user playing with the real aquarium, watching memory.
#
#   bench/soak.sh [seconds] [program]        default: 3600 s, build/app/varlenscr
#
# Under its own Xvfb (1680 x 1050) and its own PulseAudio server with a null sink, with
# 25 fish, own pictures rotating every second and a playlist of generated tracks in
# Repeat All, it loops: feed clicks, touch clicks, zoom in and zoom out clicks, and the
# menu with each dialog opened and closed. It prints the resident memory every minute,
# then the verdict: the program still runs, and memory after the first five minutes
# stays within 5 % of its five-minute figure. Exit 0 when both hold.
set -euo pipefail
cd "$(dirname "$0")/.."

duration=${1:-3600}
program=$(realpath "${2:-build/app/varlenscr}")
width=1680 height=1050

need=()
for tool in Xvfb:xvfb xdotool:xdotool python3:python3 pulseaudio:pulseaudio pactl:pulseaudio-utils \
            xwininfo:x11-utils; do
  command -v "${tool%%:*}" >/dev/null || need+=("${tool#*:}")
done
if [ ${#need[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

work=$(mktemp -d /tmp/varlen-soak.XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/home" "$work/runtime" "$work/pulse" "$work/media"
chmod 700 "$work/runtime" "$work/pulse"

# Five pictures and three one-minute tracks of our own.
python3 - "$work/media" <<'EOF'
import math, struct, sys, wave
out = sys.argv[1]
def bmp(path, w, h, colour):
    row = (w * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(h):
        line = bytearray()
        for x in range(w):
            k = 0.5 + 0.5 * math.sin(x / 23.0 + y / 31.0)
            line += bytes(int(c * (0.4 + 0.6 * k)) for c in reversed(colour))
        pixels += line + bytes(row - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    open(path, 'wb').write(header + info + pixels)
for i, c in enumerate([(40, 90, 200), (20, 160, 140), (200, 120, 40), (120, 60, 180), (60, 180, 60)]):
    bmp(f'{out}/picture{i}.bmp', 256 + 64 * i, 256, c)
for i, f in enumerate([220.0, 277.2, 329.6]):
    with wave.open(f'{out}/track{i}.wav', 'wb') as w:
        w.setnchannels(2); w.setsampwidth(2); w.setframerate(22050)
        frames = bytearray()
        for n in range(22050 * 60):
            v = int(6000 * math.sin(2 * math.pi * f * n / 22050) * (0.6 + 0.4 * math.sin(n / 9000)))
            frames += struct.pack('<hh', v, v)
        w.writeframes(bytes(frames))
EOF

mkdir -p "$work/home/.config/VarlenScr"
{
  echo "[Fish Number]"
  for i in $(seq 0 24); do echo "Fish$i=1"; done
  echo "[Custom Images]"
  echo "RandomImage=0"; echo "CycImage=1"; echo "RepeatImage=0"; echo "OwnImage=1"
  echo "ImageTime=1"; echo "ImageSum=5"
  for i in 0 1 2 3 4; do echo "ImageList$i=$work/media/picture$i.bmp"; done
  echo "[Custom Settings]"
  echo "RandomMusic=0"; echo "CycMusic=1"; echo "RepeatMusic=0"; echo "OwnMusic=1"
  echo "MusicSum=3"
  for i in 0 1 2; do echo "MusicList$i=$work/media/track$i.wav"; done
} > "$work/home/.config/VarlenScr/VarlenSet.ini"

display=:$((90 + RANDOM % 100))
while [ -e "/tmp/.X${display#:}-lock" ]; do display=:$((90 + RANDOM % 100)); done
Xvfb "$display" -screen 0 ${width}x${height}x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
pulseaudio --daemonize=no -n --system=false --exit-idle-time=-1 --disallow-exit \
  --use-pid-file=no --disable-shm=yes "--load=module-null-sink sink_name=nullsink" \
  "--load=module-native-protocol-unix auth-anonymous=1 socket=$work/pulse/native" \
  >"$work/pulse.log" 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && [ -S "$work/pulse/native" ] && break; sleep 0.1; done

HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime \
  PULSE_SERVER=unix:$work/pulse/native QT_QPA_PLATFORM=xcb \
  "$program" >"$work/program.log" 2>&1 &
app=$!
pids+=($app)
sleep 3

rss() { awk '/^VmRSS/ {print $2}' "/proc/$app/status" 2>/dev/null || echo 0; }
alive() { kill -0 "$app" 2>/dev/null; }

# The menu opens with its top-left corner at the pointer; its entries are 48 px tall.
menu_x=300 menu_y=200
choose() { # entry index 0..7
  xdotool mousemove $menu_x $menu_y click 3
  sleep 0.6
  xdotool mousemove $((menu_x + 70)) $((menu_y + 26 + 48 * $1)) click 1
  sleep 0.6
}
clicks() { # n left clicks at random points, 0.15 s apart
  for _ in $(seq "$1"); do
    xdotool mousemove $((40 + RANDOM % (width - 80))) $((40 + RANDOM % (height - 80))) click 1
    sleep 0.15
  done
}
dialogs_shown=0 dialogs_closed=0
close_dialog() { # name of the window: give it the focus and press Esc
  local id
  id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
  [ -n "$id" ] || return 0
  dialogs_shown=$((dialogs_shown + 1))
  xdotool windowfocus --sync "$id" key Escape 2>/dev/null || true
  sleep 0.6
  xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || dialogs_closed=$((dialogs_closed + 1))
}

start=$(date +%s)
next_sample=$start
samples=()
cycles=0
echo "minute  VmRSS (kB)"
while :; do
  now=$(date +%s)
  alive || break
  if [ "$now" -ge "$next_sample" ]; then
    minute=$(((now - start) / 60))
    value=$(rss)
    samples+=("$value")
    printf '%6d  %d\n' "$minute" "$value"
    next_sample=$((next_sample + 60))
  fi
  [ $((now - start)) -ge "$duration" ] && break
  choose 0; clicks 20          # Feed Fish
  choose 1; clicks 10          # Touch Fish
  choose 2; clicks 5           # Zoom In Fish
  choose 3; clicks 5           # Zoom Out Fish
  choose 4; close_dialog "^Fish Settings"
  choose 5; close_dialog "^Custom Music"
  choose 6; close_dialog "^Custom Background"
  cycles=$((cycles + 1))
done

echo "clicks and menus: $cycles rounds; dialogs shown $dialogs_shown, closed by Esc $dialogs_closed"
if ! alive; then
  echo "FAILED: the program ended after $(( $(date +%s) - start )) s"
  tail -20 "$work/program.log"
  exit 1
fi
if [ ${#samples[@]} -le 6 ]; then
  echo "ran $(( $(date +%s) - start )) s: too short to judge memory after five minutes"
  exit 0
fi
base=${samples[5]} low=${samples[5]} high=${samples[5]}
for v in "${samples[@]:5}"; do
  [ "$v" -lt "$low" ] && low=$v
  [ "$v" -gt "$high" ] && high=$v
done
echo "after five minutes: ${base} kB; range ${low}..${high} kB"
if [ $((high * 100)) -le $((base * 105)) ] && [ $((low * 100)) -ge $((base * 95)) ]; then
  echo "memory flat within 5 %"
else
  echo "FAILED: memory moved more than 5 % after the first five minutes"
  exit 1
fi
