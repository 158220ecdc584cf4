#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the programs and the tests need.
# Does nothing when everything is already there.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-webengine-dev qt6-pdf-dev libgl1-mesa-dev libxcb1-dev
  libcurl4-openssl-dev zlib1g-dev libdeflate-dev
  libsqlite3-dev libsqlitecpp-dev qt6-charts-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  graphviz fonts-dejavu-core xvfb xauth poppler-utils xdotool openbox
  tinyproxy microsocks dante-server
  desktop-file-utils appstream lintian xdg-utils
  at-spi2-core python3-pyatspi dbus fonts-liberation2
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get -o DPkg::Lock::Timeout=600 update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
fi
