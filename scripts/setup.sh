#!/usr/bin/env bash
# Installs the Debian packages the editor, its tests and its benchmarks need.
# Packages already present are not fetched again.
#   --with-compiler  also what F9 needs to run compil.bat: a terminal
#                    emulator and Wine, whose command interpreter runs it.
set -euo pipefail

with_compiler=0
for arg in "$@"; do
  case "$arg" in
    --with-compiler) with_compiler=1 ;;
    *) echo "usage: $0 [--with-compiler]" >&2; exit 2 ;;
  esac
done

packages=(
  build-essential cmake clang-format git
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libqscintilla2-qt6-dev
  qt6-svg-dev qt6-base-private-dev libfontconfig-dev pkg-config
  libbenchmark-dev
  fonts-dejavu-core
  # The editor falls back to it: Courier New's metrics, fixed-pitch.
  fonts-liberation
  # The tests check the installed desktop entry and metadata with these.
  desktop-file-utils appstream
  # GNU as for the 68000: the instruction checker's test assembles its
  # lines with it, the messages panel's tests build a real source.
  binutils-m68k-linux-gnu
  # The fuzz targets of the readers of outside data (tests/fuzz).
  clang-14 libclang-rt-14-dev
)
if [ "${QUAREDIT_WITH_PEERS:-0}" = 1 ]; then
  packages+=(xvfb xdotool featherpad libxcb1-dev)
fi
if [ "$with_compiler" = 1 ]; then
  packages+=(xterm wine)
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
