#!/usr/bin/env bash
# Installs the dependencies, builds Meridel and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# MERIDEL_CMAKE_ARGS: further configure options (CI adds -DMERIDEL_WERROR=ON).
bash scripts/build.sh build ${MERIDEL_CMAKE_ARGS:-}
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
