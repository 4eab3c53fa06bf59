#!/usr/bin/env bash
# Builds the Debian package of the program alone (no tests) in ./build-package and prints
# its path: build-package/varlenscr_<version>_<arch>.deb. Install it with
#   sudo apt install ./build-package/varlenscr_1.0_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build build-package -j"$(nproc)"
(cd build-package && cpack -G DEB >/dev/null)
ls build-package/varlenscr_*.deb
