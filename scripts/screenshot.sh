#!/usr/bin/env bash
# screenshot.sh [OUT_DIR]: renders the main window offscreen at first start, and once more with
# birth data during a real run and after it was stopped, and the whole chart's window after a
# year's Personal chart and its timeline, into OUT_DIR (default build/screenshots/).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/screenshots}
[ -f build/CMakeCache.txt ] || cmake -S . -B build
cmake --build build --target ui_screenshot -j 2
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen build/bin/ui_screenshot "$out/frmMain_first_start.png" "$out/frmMain_running.png" "$out/frmMain_stopped.png"
QT_QPA_PLATFORM=offscreen build/bin/ui_screenshot --forecast "$out/frmForecast.png" "$out/frmForecast_timeline.png"
echo "wrote $out/frmMain_first_start.png, frmMain_running.png, frmMain_stopped.png, frmForecast.png and frmForecast_timeline.png"
