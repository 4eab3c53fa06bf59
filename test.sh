#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under a virtual X screen.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh
(
  cd build
  export QT_QPA_PLATFORM=xcb
  xvfb-run -a -s '-screen 0 1680x1050x24' ctest --output-on-failure -j2 --repeat until-pass:2 "$@"
)
# The picture and settings parsers under libFuzzer (ASan + UBSan), 30 s a target.
tests/assets/fuzz/run.sh 30
