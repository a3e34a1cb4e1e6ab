#!/usr/bin/env bash
# Fails when an #include crosses the layers the wrong way:
#   core       includes neither platform nor ui;
#   platform   does not include ui;
#   inside core and inside ui, folders stand in levels (below) and a folder
#   includes only its own level's shared pieces and the levels under it:
#     core: text, settings < documents < asm < app < project, tools < compile,
#           reference, about
#     ui:   common < editor (the QScintilla widget) < documents (the set and
#           its files) < editing (the editing commands) < the features
#           (project, compile, settings, reference, tools, about) < app;
#   a feature folder of ui includes no other feature folder: they meet
#   through the document set's signals and the main window's context;
#   below ui/app, ui sees the platform's interfaces only: the Linux
#   implementations are made in main() and handed in.
# Prints every offending line, as file:line: include.
set -u
src=${1:?usage: check_layers.sh SRC_DIR}
cd "$src" || exit 2

status=0
report() { # $1 rule, then grep output lines
    local rule=$1
    shift
    if [ -n "$*" ]; then
        printf '%s\n' "$rule:" "$@" | sed '2,$s/^/  /'
        status=1
    fi
}
includes() { # folder, include pattern
    grep -rnE --include='*.h' --include='*.cpp' "^[[:space:]]*#[[:space:]]*include[[:space:]]+\"($2)" "$1" 2>/dev/null
}

# The level of each folder; a folder missing here is a new one and must be
# given its place before it can pass.
declare -A level=(
    [core/text]=0 [core/settings]=0 [core/documents]=1 [core/asm]=2 [core/app]=3
    [core/project]=4 [core/tools]=4 [core/compile]=5 [core/reference]=5 [core/about]=5
    [ui/common]=0 [ui/editor]=1 [ui/documents]=2 [ui/editing]=3
    [ui/project]=4 [ui/compile]=4 [ui/settings]=4 [ui/reference]=4 [ui/tools]=4
    [ui/about]=4 [ui/app]=5
)

report "core includes platform or ui" "$(includes core 'platform/|ui/')"
report "platform includes ui" "$(includes platform 'ui/')"

for layer in core ui; do
    for dir in $(find "$layer" -mindepth 1 -maxdepth 1 -type d | sort); do
        mine=${level[$dir]:-}
        if [ -z "$mine" ]; then
            report "$dir has no level in check_layers.sh" "$dir"
            continue
        fi
        for other in "${!level[@]}"; do
            [ "${other%%/*}" = "$layer" ] && [ "$other" != "$dir" ] || continue
            theirs=${level[$other]}
            # Same level: only the bottom level (shared pieces) may meet.
            if [ "$theirs" -gt "$mine" ] || { [ "$theirs" -eq "$mine" ] && [ "$mine" -gt 0 ]; }; then
                report "$dir includes $other, which is not below it" "$(includes "$dir" "$other/")"
            fi
        done
    done
done

for f in $(find ui -mindepth 1 -maxdepth 1 -type d ! -name app | sort); do
    report "$f includes a platform implementation" \
        "$(includes "$f" 'platform/[a-z]+/(Linux|Xdg|Ini)')"
done

count=$(find core platform ui -name '*.h' -o -name '*.cpp' | wc -l)
if [ "$status" -eq 0 ]; then
    echo "layering: $count files, every include points down"
fi
exit "$status"
