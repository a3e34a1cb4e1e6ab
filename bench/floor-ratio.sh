#!/usr/bin/env bash
# The editor against the floor, the least a Qt 6 Widgets program with one
# QScintilla editor pays: start-up to the mapped window, start with a 1 MB
# source until it shows, and the peak memory, as ratios from one run.
# Budget: at most 1.25, 1.4 and 1.25 times the floor.
exec env PEER=floor RUNS="${RUNS:-9}" "$(dirname "$0")/startup.sh" "$@"
