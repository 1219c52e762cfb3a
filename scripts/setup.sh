#!/usr/bin/env bash
# Installs every Debian package the program, its tests and its tools need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail
pkgs=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
  qt6-tools-dev qt6-tools-dev-tools
  libsqlite3-dev sqlite3 zlib1g-dev
  libgtest-dev
  fonts-arphic-uming fonts-noto-cjk
  xvfb x11-apps imagemagick poppler-utils xdg-utils
)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
