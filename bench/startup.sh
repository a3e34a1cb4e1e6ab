#!/usr/bin/env bash
# Start-up and open benchmark of the real executable, side by side with a
# peer, under a private Xvfb: FeatherPad (PEER=featherpad, the default), or
# the floor (PEER=floor, bench/floor.cpp: the least a Qt 6 Widgets program
# with one QScintilla editor pays). For each program and case it runs RUNS
# times (7 by default, the programs taking turns) with a fresh HOME and prints
# the medians and our ratios.
# bench/startup_watch starts each run and times it from the moment before it
# spawns the program, waiting on X events and the program's stderr (no polling):
#   - start-up: until the first MapNotify of a top-level window whose
#     _NET_WM_PID is the program's;
#   - open 1 MB: with a generated 1 MB source on the command line, until the
#     text is shown: for quaredit the line "quaredit: ready" on its stderr,
#     written at the first paint of its editor when QUAREDIT_TIMING is set
#     (after the file is loaded and the project tree built); for the peer
#     until its window title (_NET_WM_NAME or WM_NAME) names the file;
#   - peak RSS (VmHWM) with the 1 MB file open, read 300 ms after it is shown.
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${RUNS:-7}
PEER=${PEER:-featherpad}
case "$PEER" in
featherpad) peer_name=FeatherPad ;;
floor) peer_name=floor ;;
*) echo "PEER is featherpad or floor" >&2; exit 2 ;;
esac

# shellcheck source=bench/private-xvfb.sh
. bench/private-xvfb.sh quaredit gen_source startup_watch floor
build-bench/bench/gen_source 1000000 "$work/big.asm"

# A returning user's settings, so quaredit starts as it does every day
# rather than with its one-time welcome sequence: the window values and the
# options a first start writes (the editor's font, colours, line numbers).
seed_home() {
    local home=$1
    local ini="$home/.config/Vask Software/Quaredit/alpha5.ini"
    mkdir -p "$(dirname "$ini")"
    printf '%s\n' '[General]' MinVersion=1 FirstLaunch=1 WinState=0 WinLeft=0 WinTop=0 \
        WinWidth=900 WinHeight=650 '' '[OldFiles]' Nb=0 '' '[Options]' MakeBAK=1 WordWrap=0 \
        Associate=0 EditExplorator=0 DefaultDir= UsePredef=1 'CompilatorPath=[COMPILATOR PATH]' \
        IncludePath=asm/include/ LibPath=asm/lib/ 'EditorFont=Courier New' EditorFontSize=9 \
        SyntaxColours=1 LineNumbers=1 CurrentLine=1 >"$ini"
    # OPTIONS="SyntaxColours=0 LineNumbers=0" starts it with those options
    # changed, to see what a feature adds to the start.
    local option
    for option in ${OPTIONS:-}; do
        sed -i "s|^${option%%=*}=.*|${option}|" "$ini"
    done
}

# run_once PROGRAM FILE-OR-EMPTY OWN-LOG -> prints "mapped_ms shown_ms rss_kb"
# (NA where not reached, with the watcher's reason on stderr); appends the
# program's own "ready" figure, if any, to OWN-LOG.
run_once() {
    local program=$1 file=$2 own_log=$3
    local home
    home=$(mktemp -d -p "$work")
    seed_home "$home"
    local command=() shown_rule=()
    local session=()
    if [ "$program" = quaredit ]; then
        # A runtime folder of its own: an editor already running in the
        # tester's session would otherwise take the file and this start end.
        mkdir -p -m 700 "$home/runtime"
        session=(XDG_RUNTIME_DIR="$home/runtime")
        command=(build-bench/bin/quaredit)
        [ -n "$file" ] && shown_rule=(--stderr-line "quaredit: ready")
    else
        command=(featherpad)
        [ "$program" = floor ] && command=(build-bench/bench/floor)
        [ -n "$file" ] && shown_rule=(--title-contains "$(basename "$file")")
    fi
    [ -n "$file" ] && command+=("$file")
    local status=0
    env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
        "${session[@]}" QUAREDIT_TIMING=1 build-bench/bench/startup_watch "${shown_rule[@]}" -- "${command[@]}" \
        2>"$home/err" || status=$?
    if [ "$status" -ne 0 ]; then
        echo "$program${file:+ $(basename "$file")}:" >&2
        grep '^startup_watch: ' "$home/err" >&2 || tail -n 5 "$home/err" >&2
        [ "$status" -eq 1 ] || exit 1
    fi
    # Its own account of the first paint, from its process start, beside ours.
    grep -o '^quaredit: ready [0-9]*' "$home/err" | awk '{print $3}' >>"$own_log" || true
}

# Runs that reached nothing for a measure ("NA") are left out, not counted as 0.
median() { grep -E '^[0-9.]+$' | sort -n | awk '{a[NR]=$1} END {if (NR==0) print "NA"; else if (NR%2) print a[(NR+1)/2]; else print (a[NR/2]+a[NR/2+1])/2}'; }

# The runs of both programs alternate, so that load from elsewhere on a
# shared machine, which drifts over a minute, falls on both alike.
cases=("quaredit empty" "$PEER empty" "quaredit big" "$PEER big")
file_of() { [ "$1" = big ] && echo "$work/big.asm" || true; }
for c in "${cases[@]}"; do
    set -- $c
    run_once "$1" "$(file_of "$2")" /dev/null >/dev/null # warm the caches
    : >"$work/$1-$2"
    : >"$work/$1-$2-own"
done
load_before=$(cut -d' ' -f1 /proc/loadavg)
for _ in $(seq 1 "$RUNS"); do
    for c in "${cases[@]}"; do
        set -- $c
        run_once "$1" "$(file_of "$2")" "$work/$1-$2-own" >>"$work/$1-$2"
    done
done
load_after=$(cut -d' ' -f1 /proc/loadavg)
declare -A result
for c in "${cases[@]}"; do
    set -- $c
    result[$1-$2-mapped]=$(awk '{print $1}' "$work/$1-$2" | median)
    result[$1-$2-shown]=$(awk '{print $2}' "$work/$1-$2" | median)
    result[$1-$2-rss]=$(awk '{print $3}' "$work/$1-$2" | median)
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a != "NA" && b > 0) printf "%.2f", a / b; else print "NA" }'; }
megabytes() { awk -v k="$1" 'BEGIN { if (k == "NA") print "NA"; else printf "%.1f", k / 1024 }'; }

echo "Start-up and open benchmark, $(date -u +%Y-%m-%d), $(nproc) cores, medians of $RUNS runs${OPTIONS:+, quaredit with $OPTIONS}" \
    "(load average $load_before before, $load_after after)"
printf '%-34s %12s %12s %8s\n' "measure" "quaredit" "$peer_name" "ratio"
printf '%-34s %10s ms %10s ms %8s\n' "start-up to mapped window" \
    "${result[quaredit-empty-mapped]}" "${result[$PEER-empty-mapped]}" \
    "$(ratio "${result[quaredit-empty-mapped]}" "${result[$PEER-empty-mapped]}")"
printf '%-34s %10s ms %10s ms %8s\n' "open 1 MB source, text shown" \
    "${result[quaredit-big-shown]}" "${result[$PEER-big-shown]}" \
    "$(ratio "${result[quaredit-big-shown]}" "${result[$PEER-big-shown]}")"
printf '%-34s %10s MB %10s MB %8s\n' "peak RSS, 1 MB source open" \
    "$(megabytes "${result[quaredit-big-rss]}")" "$(megabytes "${result[$PEER-big-rss]}")" \
    "$(ratio "${result[quaredit-big-rss]}" "${result[$PEER-big-rss]}")"

# A check on the watcher: its mapped time for quaredit should come before the
# "ready" line quaredit writes at its first paint, and that line's own figure
# (from the kernel's process start) should be close to the shown time above.
awk '$1 != "NA" && $2 != "NA" { n++; if ($1 <= $2) before++ }
     END { printf "quaredit, 1 MB source: window mapped before \"ready\" in %d of %d runs; ", before, n }' \
    "$work/quaredit-big"
echo "its own first-paint figure: median $(median <"$work/quaredit-big-own") ms from process start"
for key in "${!result[@]}"; do
    [ "${result[$key]}" = NA ] && echo "warning: no run reached a value for $key" >&2
done
true
