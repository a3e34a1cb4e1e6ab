#!/usr/bin/env bash
# Sets up what is missing, builds the editor and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUAREDIT_SANITIZE=OFF >/dev/null
cmake --build build -j"$(nproc)" --target quaredit
exec build/bin/quaredit "$@"
