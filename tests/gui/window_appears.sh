#!/bin/sh
# Starts the editor on a virtual X display and waits up to 30 s for its main
# window. Exit 77 (skipped) when the X tools are not installed.
command -v xvfb-run >/dev/null && command -v xwininfo >/dev/null || { echo "skipped: no X tools"; exit 77; }
exec xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    QT_QPA_PLATFORM=xcb "$1" & pid=$!
    for _ in $(seq 300); do
        xwininfo -root -tree 2>/dev/null | grep -q "\"Velquor EC\"" && { kill $pid; exit 0; }
        kill -0 $pid 2>/dev/null || { echo "the editor ended before its window appeared"; exit 1; }
        sleep 0.1
    done
    kill $pid; echo "no window titled Velquor EC appeared"; exit 1
' sh "$1"
