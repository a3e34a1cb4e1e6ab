#!/usr/bin/env bash
# Where start-up goes, in instructions from the exec to the moment the main
# window is mapped (callgrind, stopped at the first xcb_map_window), for the
# editor and for the floor (bench/floor.cpp), with a returning user's
# settings (Courier New 9, colours, line numbers, current line). Counts, not
# times: the same binary gives the same figures on a loaded machine, so a
# change's cost shows even where the timed benchmarks swing. A new feature's
# start-up budget is what it adds to this table.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v valgrind >/dev/null || apt-get install -y -qq valgrind >/dev/null
# shellcheck source=bench/private-xvfb.sh
. bench/private-xvfb.sh quaredit floor gen_source
display=$DISPLAY

ini="$work/config/Vask Software/Quaredit/alpha5.ini"
mkdir -p "$(dirname "$ini")"
printf '%s\n' '[General]' MinVersion=1 FirstLaunch=1 '' '[Options]' 'EditorFont=Courier New' \
    EditorFontSize=9 SyntaxColours=1 LineNumbers=1 CurrentLine=1 >"$ini"

build-bench/bench/gen_source 1000000 "$work/big.asm" >/dev/null

# One run to the map; the program is stopped there (a timeout ends it).
count() { # name executable [file]
    local home="$work/home-$1"
    mkdir -p "$home/run" && chmod 700 "$home/run"
    env -i PATH="$PATH" DISPLAY="$display" LANG=C.UTF-8 HOME="$home" \
        XDG_RUNTIME_DIR="$home/run" XDG_CONFIG_HOME="$work/config" \
        DBUS_SESSION_BUS_ADDRESS="unix:path=$home/no-bus" \
        timeout -s INT 60 valgrind --tool=callgrind --dump-before=xcb_map_window \
        --callgrind-out-file="$work/$1.out" "$2" ${3:+"$3"} >/dev/null 2>&1 || true
    callgrind_annotate --inclusive=yes --threshold=100 "$work/$1.out.1" 2>/dev/null >"$work/$1.txt"
}
count floor build-bench/bench/floor
count quaredit build-bench/bin/quaredit
count floor-file build-bench/bench/floor "$work/big.asm"
count quaredit-file build-bench/bin/quaredit "$work/big.asm"

total() { awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1; exit}' "$work/$1.txt"; }
# The inclusive count of the first function whose name holds the pattern.
phase() { # name pattern
    awk -v p="$2" 'index($0, p) && $2 ~ /^\(/ {gsub(",", "", $1); print $1; exit}' "$work/$1.txt"
}
mi() { awk -v n="${1:-0}" 'BEGIN {printf "%.2f", n / 1e6}'; }

floor_total=$(total floor)
quaredit_total=$(total quaredit)
echo "instructions to the mapped window: quaredit $(mi "$quaredit_total") M," \
    "floor $(mi "$floor_total") M: $(awk -v a="$quaredit_total" -v b="$floor_total" \
    'BEGIN {printf "%.2f", a / b}') x"
file_ratio=$(awk -v a="$(total quaredit-file)" -v b="$(total floor-file)" 'BEGIN {printf "%.2f", a / b}')
echo "with a 1 MB source: quaredit $(mi "$(total quaredit-file)") M," \
    "floor $(mi "$(total floor-file)") M: $file_ratio x"
echo
echo "| phase | quaredit (M) | floor (M) |"
echo "|---|---|---|"
row() { # caption pattern [floor pattern]
    local f="-"
    [ -n "${3:-}" ] && f=$(mi "$(phase floor "$3")")
    echo "| $1 | $(mi "$(phase quaredit "$2")") | $f |"
}
row "loading and relocating the libraries" "rtld.c:_dl_start " "rtld.c:_dl_start "
row "plugins loaded while starting (platform, input)" "dlopen.c:dlopen_doit" "dlopen.c:dlopen_doit"
row "\`QApplication\`" "QApplication::QApplication(" "QApplication::QApplication("
row "the style (its extension arrow deferred)" "quaredit::deferStandardIcons("
row "the program icon (drawn by the build)" "quaredit::applyProgramIdentity("
row "the main window, all of it" "quaredit::TPFrm::TPFrm("
row "- the editor widget, with fontconfig's start" "QsciScintilla::QsciScintilla(" \
    "QsciScintilla::QsciScintilla("
row "- the editor font: the stored family's stand-in" "quaredit::TPFrm::editorFont("
row "- the editor's look (colours, margins, bold face)" "quaredit::TPFrm::applyEditorSettings("
row "- the menus" "quaredit::MenuMap::build("
row "- the project tree" "QTreeWidget::QTreeWidget("
row "- the first document and its tab" "quaredit::DocumentSet::DocumentSet("
row "- size and place (makes the native window)" "quaredit::TPFrm::applyPlacement("
row "\`show()\`" "quaredit::TPFrm::startUp(" "QWidget::show("
