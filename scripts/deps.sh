#!/usr/bin/env bash
# Installs the Debian packages the build, the program, the tests and the Debian package
# need, when missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev libqt6opengl6-dev qt6-multimedia-dev
  libgl-dev libglu1-mesa-dev libsoil-dev libsimpleini-dev
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  libx11-dev libxcb1-dev libxcb-res0-dev
  xvfb xauth x11-utils xdotool libgl1-mesa-dri fonts-dejavu-core openbox
  weston qt6-wayland
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  gstreamer1.0-plugins-bad gstreamer1.0-libav
  pulseaudio pulseaudio-utils
  dpkg-dev desktop-file-utils appstream groff-base man-db
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
