#!/usr/bin/env bash
# The About dialog on the session's display: a screenshot to look at, and a
# check that the dialog shows its picture and ends cleanly.  e2e-about.sh PREVIEW
set -euo pipefail
preview=$1
shot=$(dirname "$preview")/about-e2e.png
log=$(dirname "$preview")/about-e2e.log
"$(dirname "$0")/wine-exec.sh" "$preview" 6 >"$log" 2>&1 &
dialog=$!
for _ in $(seq 200); do
    xdotool search --name '^Info$' >/dev/null 2>&1 && break
    sleep 0.1
done
sleep 1.5
import -window root "$shot"
echo "screenshot: $shot"
# The picture's frame (16,16 97x145 inside the centred dialog) is not one flat colour.
colours=$(convert "$shot" -format '%k' info:)
wait "$dialog" || { echo "FAIL: the dialog ended with exit code $?"; exit 1; }
[[ $colours -gt 200 ]] || { echo "FAIL: only $colours colours on the screen"; exit 1; }
echo "PASS ($colours colours)"
