#!/usr/bin/env bash
# Builds a Release editor and packs it as build-deb/quaredit_<version>_<arch>.deb (needs dpkg-dev).
set -euo pipefail; cd "$(dirname "$0")/.."; cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DQUAREDIT_TESTS=OFF -DQUAREDIT_BENCH=OFF >/dev/null && cmake --build build-deb -j"$(nproc)" && cd build-deb && cpack -G DEB
