#!/usr/bin/env bash
# Runs every test program RUNS times in a row (default 20) in both builds that
# ./test.sh made, two at a time as ./test.sh does, each pass with a fresh HOME
# and nothing else of the caller's environment: a test that fails once in
# twenty is a defect, and this is how it is found. Run ./test.sh first.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-20}
for build in build-test build; do
    [ -d "$build" ] || { echo "$build/ is missing: run ./test.sh first" >&2; exit 2; }
    home=$(mktemp -d)
    echo "== $build: each test $runs times, fresh HOME"
    (cd "$build" && env -i PATH="$PATH" HOME="$home" \
        ctest -j"$(nproc)" --repeat until-fail:"$runs" --output-on-failure)
    rm -rf "$home"
done
