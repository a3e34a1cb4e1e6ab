#!/usr/bin/env bash
# Installs the Debian packages the editor, its tests and its benchmarks need.
# Packages already present are not fetched again.
set -euo pipefail

packages=(
  build-essential cmake
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libqscintilla2-qt6-dev
  qt6-svg-dev qt6-base-private-dev
  libbenchmark-dev
  fonts-dejavu-core
)
if [ "${QUAREDIT_WITH_PEERS:-0}" = 1 ]; then
  packages+=(xvfb xdotool featherpad libxcb1-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
