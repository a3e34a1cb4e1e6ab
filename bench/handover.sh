#!/usr/bin/env bash
# The second start: with an editor running, `quaredit prog.asm` hands the file
# over and ends. Times RUNS (default 21) such starts from the spawn to the
# exit, with a fresh HOME and runtime folder, and prints the median and the
# slowest. The first argument is the executable (default: a Release build's,
# build-deb/bin/quaredit from scripts/make-deb.sh, else build/bin/quaredit).
set -euo pipefail
cd "$(dirname "$0")/.."
exe=${1:-}
if [ -z "$exe" ]; then
  exe=build-deb/bin/quaredit
  [ -x "$exe" ] || exe=build/bin/quaredit
fi
exe=$(realpath "$exe")
runs=${RUNS:-21}

tmp=$(mktemp -d)
pid=
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$tmp"; }
trap cleanup EXIT
export HOME=$tmp XDG_CONFIG_HOME=$tmp/.config XDG_DATA_HOME=$tmp/.local/share
export XDG_RUNTIME_DIR=$tmp QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY
printf '\tnop\r\n' >"$tmp/prog.asm"

"$exe" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 200); do [ -S "$tmp/quaredit.socket" ] && break; sleep 0.05; done
[ -S "$tmp/quaredit.socket" ] || { echo "the first editor did not start" >&2; exit 1; }

times=()
for ((i = 0; i < runs; i++)); do
  start=$EPOCHREALTIME
  "$exe" "$tmp/prog.asm" || { echo "second start failed" >&2; exit 1; }
  end=$EPOCHREALTIME
  times+=("$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f", (e - s) * 1000 }')")
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
median=$(sed -n "$(((runs + 1) / 2))p" <<<"$sorted")
slowest=$(tail -n 1 <<<"$sorted")
echo "$exe: second start, $runs runs: median ${median} ms, slowest ${slowest} ms (target < 60 ms)"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
