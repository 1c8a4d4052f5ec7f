#!/usr/bin/env bash
# install-deps.sh [PACKAGE...]: installs everything Meridel needs to build, run and test on
# Debian 12, or only the packages named. Safe to run again.
set -euo pipefail
packages=("$@")
[ ${#packages[@]} -gt 0 ] || packages=(
  build-essential cmake pkg-config clang-14
  qt6-base-dev libgl-dev qt6-svg-dev
  libswe-dev swe-standard-data
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation
  xvfb xauth xdg-utils
  file man-db desktop-file-utils appstream lintian
  python3-icalendar python3-gi gir1.2-ical-3.0
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
