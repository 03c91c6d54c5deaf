#!/usr/bin/env bash
# Prints what the running screen saver costs: the time to a visible window
# and the CPU time it uses over 30 seconds. Run inside a Wine session:
#   tests/wine-session.sh build/wine-run tools/bench-display.sh build/win64/Quorbel.scr
set -euo pipefail
source "$(dirname "$0")/../tests/windows.sh"
scr=$1
seconds=${2:-30}
started=$(date +%s%N)
"$(dirname "$0")/../tests/wine-exec.sh" "$scr" /s >/dev/null 2>&1 &
wait_for_window Bildschirmschoner >/dev/null
echo "start to visible window: $((($(date +%s%N) - started) / 1000000)) ms"
pid=$(pgrep -f 'Quorbel.scr' | head -n 1)
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
before=$(ticks)
sleep "$seconds"
after=$(ticks)
echo "CPU time over ${seconds} s: $(((after - before) * 1000 / $(getconf CLK_TCK))) ms"
xdotool key space
wait
