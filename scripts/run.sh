#!/usr/bin/env bash
# Installs the dependencies, builds Meridel and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
exec build/bin/meridel "$@"
