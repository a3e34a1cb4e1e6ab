#!/usr/bin/env bash
# Fails when an #include crosses the layers the wrong way:
#   core       includes neither platform nor ui;
#   platform   does not include ui;
#   ui/common  includes no other ui folder (every feature builds on it);
#   ui/<feature> does not include ui/app (the main window sits on top);
#   ui/documents does not include ui/project (the tree follows the documents'
#                signals; the documents do not know the tree);
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

report "core includes platform or ui" "$(includes core 'platform/|ui/')"
report "platform includes ui" "$(includes platform 'ui/')"
report "ui/common includes a feature folder" "$(includes ui/common 'ui/' | grep -v '"ui/common/')"
report "ui/documents includes the project tree's folder ui/project" \
    "$(includes ui/documents 'ui/project/')"
features=$(find ui -mindepth 1 -maxdepth 1 -type d ! -name app ! -name common | sort)
for f in $features; do
    report "$f includes the main window's folder ui/app" "$(includes "$f" 'ui/app/')"
done
for f in ui/common $features; do
    report "$f includes a platform implementation" \
        "$(includes "$f" 'platform/[a-z]+/(Linux|Xdg|Ini)')"
done

count=$(find core platform ui -name '*.h' -o -name '*.cpp' | wc -l)
if [ "$status" -eq 0 ]; then
    echo "layering: $count files, every include points down"
fi
exit "$status"
