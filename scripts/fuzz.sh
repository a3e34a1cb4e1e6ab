#!/usr/bin/env bash
# Runs every fuzz target of tests/fuzz for the given time each (default 60 s),
# one after the other at the lowest priority, and prints per target the
# executions, the coverage (cov: edges, ft: features) and the crashes.
#   scripts/fuzz.sh [seconds] [target...]
# New inputs go to build-fuzz/work/<target>; a crash is kept as
# tests/fuzz/corpus/<target>/crash-<hash>, which ./test.sh then replays: mend
# the reader, and keep the input as the regression test it is.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
if ! command -v clang++-14 >/dev/null; then
  echo "clang++-14 is missing: scripts/setup.sh installs it" >&2
  exit 2
fi
CXX=clang++-14 cmake -S tests/fuzz -B build-fuzz >/dev/null
cmake --build build-fuzz -j"$(nproc)" >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for t in tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$t" .cpp | sed 's/^fuzz_//')"); done
fi
status=0
printf '%-12s %12s %8s %8s %s\n' target executions cov ft crashes
for t in "${targets[@]}"; do
  work="build-fuzz/work/$t"
  mkdir -p "$work"
  log="build-fuzz/$t.log"
  before=$(ls tests/fuzz/corpus/"$t" | grep -c '^crash-' || true)
  # A crash ends the run; the next start goes on from the corpus so far.
  nice -n 19 "build-fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="tests/fuzz/corpus/$t/" \
    "$work" "tests/fuzz/corpus/$t" >"$log" 2>&1 || status=1
  after=$(ls tests/fuzz/corpus/"$t" | grep -c '^crash-' || true)
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo '?')
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo '?')
  printf '%-12s %12s %8s %8s %s\n' "$t" "$runs" "$cov" "$ft" "$((after - before)) new"
done
exit $status
