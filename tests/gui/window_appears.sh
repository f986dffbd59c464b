#!/bin/sh
# Starts the editor on a virtual X display and waits for its main window.
# Exit 77 (skipped) when the X tools are not installed.
set -u
program=$1
for tool in xvfb-run xwininfo; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool not installed"; exit 77; }
done
exec xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    QT_QPA_PLATFORM=xcb "$1" & pid=$!
    found=1
    for _ in $(seq 300); do
        if xwininfo -root -tree 2>/dev/null | grep -q "\"Velquor EC\""; then found=0; break; fi
        kill -0 $pid 2>/dev/null || { echo "the editor ended before its window appeared"; exit 1; }
        sleep 0.1
    done
    kill $pid 2>/dev/null
    wait $pid 2>/dev/null
    [ $found -eq 0 ] || echo "no window titled Velquor EC appeared"
    exit $found
' sh "$program"
