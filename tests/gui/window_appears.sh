#!/bin/sh
# Starts the editor, with the arguments after the first, on a virtual X
# display and waits up to 30 s for a window titled $TITLE (default: its main
# window). Exit 77 (skipped) when the X tools are not installed.
command -v xvfb-run >/dev/null && command -v xwininfo >/dev/null || { echo "skipped: no X tools"; exit 77; }
export TITLE="${TITLE:-Velquor EC}"
exec xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    QT_QPA_PLATFORM=xcb "$@" & pid=$!
    for _ in $(seq 300); do
        xwininfo -root -tree 2>/dev/null | grep -q "\"$TITLE\"" && { kill $pid; exit 0; }
        kill -0 $pid 2>/dev/null || { echo "the editor ended before a window \"$TITLE\" appeared"; exit 1; }
        sleep 0.1
    done
    kill $pid; echo "no window titled $TITLE appeared"; exit 1
' sh "$@"
