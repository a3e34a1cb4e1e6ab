# Sourced by the start-up benchmarks: builds the Release program and the
# floor into build-bench (with the targets given), makes a scratch folder
# $work removed at exit, and starts a private Xvfb, stopped at exit, whose
# display is in $DISPLAY. Xvfb picks a free display itself and names it once
# it accepts clients, so that runs beside another benchmark never share (or
# measure) its server.
QUAREDIT_WITH_PEERS=1 scripts/setup.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQUAREDIT_SANITIZE=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target "$@" >/dev/null

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
