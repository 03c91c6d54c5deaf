#!/usr/bin/env bash
# Starts the screen saver inside a Wine session. On a virtual display nobody
# can watch it, so it saves a screenshot and ends the program with a key.
set -euo pipefail
scr=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
"$here/../tests/wine-exec.sh" "$scr" "$@" &
saver=$!
if [[ -n "${QUORBEL_VIRTUAL_DISPLAY:-}" ]]; then
    sleep 6
    shot=$(dirname "$scr")/screenshot.png
    import -window root "$shot"
    echo "No display: saved a screenshot to $shot"
    xdotool key alt+F4 || true # ends the saver at Alt, closes a dialog unsaved
fi
wait "$saver"
