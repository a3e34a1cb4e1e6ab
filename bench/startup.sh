#!/usr/bin/env bash
# Start-up and open benchmark of the real executable, side by side with
# FeatherPad, under Xvfb. For each program and case it runs RUNS times (7 by
# default) with a fresh HOME and prints the medians and our ratios:
#   - start-up: from launch until the main window is mapped (xdotool);
#   - open 1 MB: with a generated 1 MB source on the command line, until the
#     text is shown: for quaredit the first paint of its editor, reported on
#     stderr when QUAREDIT_TIMING is set (after the file is loaded and the
#     project tree built); for FeatherPad until its window title names the file;
#   - peak RSS (VmHWM) with the 1 MB file open, read 300 ms after it is shown.
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${RUNS:-7}

QUAREDIT_WITH_PEERS=1 scripts/setup.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQUAREDIT_SANITIZE=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target quaredit gen_source >/dev/null

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

build-bench/bench/gen_source 1000000 "$work/big.asm"

display=:$((100 + RANDOM % 800))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 1 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.05; done

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# A returning user's settings, so quaredit starts as it does every day
# rather than with its one-time welcome sequence.
seed_home() {
    local home=$1
    mkdir -p "$home/.config/Vask Software/Quaredit"
    printf '[General]\nMinVersion=1\nFirstLaunch=1\nWinState=0\nWinLeft=0\nWinTop=0\nWinWidth=900\nWinHeight=650\n' \
        >"$home/.config/Vask Software/Quaredit/alpha5.ini"
}

# run_once PROGRAM FILE-OR-EMPTY -> prints "mapped_ms shown_ms rss_kb"
run_once() {
    local program=$1 file=$2
    local home
    home=$(mktemp -d -p "$work")
    seed_home "$home"
    local args=()
    [ -n "$file" ] && args=("$file")
    local t0
    t0=$(now_ms)
    if [ "$program" = quaredit ]; then
        env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
            QUAREDIT_TIMING=1 build-bench/bin/quaredit "${args[@]}" 2>"$home/err" &
    else
        env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
            featherpad "${args[@]}" 2>"$home/err" &
    fi
    local pid=$!
    local mapped="" shown=""
    for _ in $(seq 1 3000); do
        if [ -z "$mapped" ] && xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; then
            mapped=$(( $(now_ms) - t0 ))
        fi
        if [ -n "$mapped" ]; then
            if [ -z "$file" ]; then
                shown=$mapped
            elif [ "$program" = quaredit ]; then
                grep -q "quaredit: ready" "$home/err" && shown=$(( $(now_ms) - t0 ))
            else
                xdotool search --onlyvisible --pid "$pid" --name "$(basename "$file")" >/dev/null 2>&1 &&
                    shown=$(( $(now_ms) - t0 ))
            fi
        fi
        [ -n "$shown" ] && break
        sleep 0.002
    done
    sleep 0.3
    local rss
    rss=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "${mapped:-NA} ${shown:-NA} ${rss:-0}"
}

median() { sort -n | awk '{a[NR]=$1} END {if (NR==0) print "NA"; else if (NR%2) print a[(NR+1)/2]; else print (a[NR/2]+a[NR/2+1])/2}'; }

declare -A result
for program in quaredit featherpad; do
    for case in empty big; do
        file=""
        [ "$case" = big ] && file="$work/big.asm"
        run_once "$program" "$file" >/dev/null # warm the caches
        : >"$work/$program-$case"
        for _ in $(seq 1 "$RUNS"); do
            run_once "$program" "$file" >>"$work/$program-$case"
        done
        result[$program-$case-mapped]=$(awk '{print $1}' "$work/$program-$case" | median)
        result[$program-$case-shown]=$(awk '{print $2}' "$work/$program-$case" | median)
        result[$program-$case-rss]=$(awk '{print $3}' "$work/$program-$case" | median)
    done
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "NA" }'; }

echo "Start-up and open benchmark, $(date -u +%Y-%m-%d), $(nproc) cores, medians of $RUNS runs"
printf '%-34s %12s %12s %8s\n' "measure" "quaredit" "FeatherPad" "ratio"
printf '%-34s %10s ms %10s ms %8s\n' "start-up to mapped window" \
    "${result[quaredit-empty-mapped]}" "${result[featherpad-empty-mapped]}" \
    "$(ratio "${result[quaredit-empty-mapped]}" "${result[featherpad-empty-mapped]}")"
printf '%-34s %10s ms %10s ms %8s\n' "open 1 MB source, text shown" \
    "${result[quaredit-big-shown]}" "${result[featherpad-big-shown]}" \
    "$(ratio "${result[quaredit-big-shown]}" "${result[featherpad-big-shown]}")"
printf '%-34s %10s MB %10s MB %8s\n' "peak RSS, 1 MB source open" \
    "$(awk -v k="${result[quaredit-big-rss]}" 'BEGIN{printf "%.1f", k/1024}')" \
    "$(awk -v k="${result[featherpad-big-rss]}" 'BEGIN{printf "%.1f", k/1024}')" \
    "$(ratio "${result[quaredit-big-rss]}" "${result[featherpad-big-rss]}")"
