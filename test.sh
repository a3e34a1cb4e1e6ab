#!/usr/bin/env bash
# Sets up what is missing and runs the whole test suite twice: built with
# AddressSanitizer and UndefinedBehaviorSanitizer (Debug), which catches memory
# and undefined-behaviour faults, and built as users build it (Release, no
# sanitizers), where timing and optimisation differ. Both must pass.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
jobs="$(nproc)"

echo "== Formatting (the project's .clang-format)"
git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'data/*.cpp' |
    xargs clang-format --dry-run --Werror

echo "== Debug build with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DQUAREDIT_SANITIZE=ON -DQUAREDIT_BENCH=OFF >/dev/null
cmake --build build-test -j"$jobs"
(cd build-test && ctest --output-on-failure -j"$jobs" "$@")

echo "== Fuzz targets: each seed corpus and every kept crash replayed once"
CXX=clang++-14 cmake -S tests/fuzz -B build-fuzz >/dev/null
cmake --build build-fuzz -j"$jobs"
for target in build-fuzz/fuzz_*; do
    name="$(basename "$target")"
    "$target" -runs=0 "tests/fuzz/corpus/${name#fuzz_}" 2>&1 | tail -1
done

echo "== Release build, as users run it"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUAREDIT_SANITIZE=OFF >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs" "$@")
