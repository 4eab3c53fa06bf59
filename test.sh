#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under a virtual X screen.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh
(
  cd build
  export QT_QPA_PLATFORM=xcb
  # -noreset: an X server resets when its last client leaves and refuses connections
  # while it does; the test processes connect one after another, so without it a test
  # now and then finds the display closed.
  xvfb-run -a -s '-screen 0 1680x1050x24 -noreset' ctest --output-on-failure -j2 "$@"
)
# The picture and settings parsers under libFuzzer (ASan + UBSan), 30 s a target.
tests/assets/fuzz/run.sh 30
