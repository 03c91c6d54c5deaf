#!/usr/bin/env bash
# End to end: the real screen saver under the session's Wine and display,
# with its settings written into the prefix's registry, looked at through a
# screenshot.  e2e-display.sh PROGRAM
set -euo pipefail
source "$(dirname "$0")/windows.sh"
scr=$1
shot=$(dirname "$scr")/display-e2e.png
key='HKCU\Software\Quorbel'
# Wine's helper processes outlive the program and inherit its output, which
# would keep CTest waiting: Wine writes into a log of its own.
log=$(dirname "$scr")/display-e2e.log
: >"$log"

"$QUORBEL_WINE" reg delete "$key" /f >>"$log" 2>&1 || true
"$QUORBEL_WINE" reg add "$key" /v backgroundcolor /t REG_DWORD /d 0x800080 /f >>"$log" 2>&1
"$QUORBEL_WINE" reg add "$key" /v fontcolor /t REG_DWORD /d 0x00FFFF /f >>"$log" 2>&1
"$QUORBEL_WINE" reg add "$key" /v text /d "Noch %days% Tage" /f >>"$log" 2>&1


# Fraction of the area (WxH+X+Y) in the given colour.
share_of() {
    convert "$shot" -crop "$2" +repage -fuzz 8% -fill white -opaque "$1" \
        -fill black +opaque white -format '%[fx:mean]' info:
}

started=$(date +%s%N)
"$run" "$scr" /s >>"$log" 2>&1 &
saver=$!
trap 'kill "$saver" 2>/dev/null || true' EXIT # a failed run leaves no window behind
wait_for_window Bildschirmschoner "$saver" >/dev/null || fail "the saver showed no window"
echo "window visible after $((($(date +%s%N) - started) / 1000000)) ms"
sleep 1
import -window root "$shot"
read -r W H < <(identify -format '%w %h\n' "$shot")
echo "screenshot: $shot (${W}x${H})"

background=$(share_of 'rgb(128,0,128)' "${W}x$((H - 60))+0+0")
text=$(share_of 'rgb(255,255,0)' "${W}x$((H - 60))+0+0")
edge=$(share_of 'rgb(255,255,0)' "${W}x12+0+$((H - 12))")
echo "background ${background}, display text ${text}, detail line at the edge ${edge}"
awk -v b="$background" -v t="$text" -v e="$edge" \
    'BEGIN { exit !(b > 0.9 && t > 0.001 && e > 0.005) }' ||
    fail "the screen does not show background, text and detail line"

xdotool key space
ends_well "$saver" "the saver, on a key,"

# A damaged setting: the error box, then the window as designed, which every
# key still ends, those a dialog would use for itself included. The taskbar
# that the run before showed takes Wine's X focus back from a new window, and
# this saver does not hide it: the keys are typed into the program's windows.
"$QUORBEL_WINE" reg add "$key" /v fontsize /d abc /f >>"$log" 2>&1
for k in Escape Tab Return; do
    "$run" "$scr" /s >>"$log" 2>&1 &
    saver=$!
    box=$(wait_for_window Quorbel "$saver") || fail "no error box for a damaged setting ($k)"
    xdotool windowfocus --sync "$box" key Return
    window=$(wait_for_window Bildschirmschoner "$saver") || fail "no window after the box ($k)"
    xdotool windowfocus --sync "$window" key "$k"
    ends_well "$saver" "the saver of a damaged setting, on $k,"
done
"$QUORBEL_WINE" reg delete "$key" /f >>"$log" 2>&1
echo "the saver of a damaged setting ended on Escape, Tab and Enter, each with exit code 0"

for args in "/p 1234" "" "x /s"; do
    # shellcheck disable=SC2086
    timeout 30 "$run" "$scr" $args >>"$log" 2>&1 || fail "'$args' ended with exit code $?"
    xdotool search --name '^Bildschirmschoner$' >/dev/null 2>&1 && fail "'$args' opened a window"
done
echo "PASS"
