#!/usr/bin/env bash
# build.sh [DIR] [extra cmake args...]: configures and builds Meridel into DIR (default build/).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
cmake -S . -B "$dir" "$@"
cmake --build "$dir" -j "$(nproc)"
