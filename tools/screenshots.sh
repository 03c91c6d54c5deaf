#!/usr/bin/env bash
# Takes the README's pictures from the real program, inside a Wine session:
#   tests/wine-session.sh PREFIX tools/screenshots.sh PROGRAM DOCS_DIR [SUFFIX]
# Each window is cut out along its own frame, which Wine draws itself on
# the virtual display; the full-screen display is shown scaled down.
# Without a suffix it takes them at 100 %, then again at 150 % into files
# named with -150.
set -euo pipefail
source "$(dirname "$0")/../tests/windows.sh"
scr=$1
docs=$2
suffix=${3:-}
key='HKCU\Software\Quorbel'
shot=$(mktemp --suffix=.png)
trap 'rm -f "$shot"' EXIT
mkdir -p "$docs"

# The window's frame as WxH+X+Y.
frame() { xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h "+" x "+" y }'; }
# Few colours keep a PNG of a dialog at a few tens of KiB.
save() {
    local file=$docs/${name%.png}$suffix.png
    convert "$shot" "$@" +repage -colors 64 "PNG8:$file"
    echo "$file"
}

"$QUORBEL_WINE" reg delete "$key" /f >/dev/null 2>&1 || true
"$QUORBEL_WINE" reg add "$key" /v ende /d 24.12.2030 /f >/dev/null 2>&1

"$run" "$scr" /s >/dev/null 2>&1 &
wait_for_window Bildschirmschoner >/dev/null
sleep 1
import -window root "$shot"
name=display.png save -resize 50%
xdotool key space
wait

"$run" "$scr" /c >/dev/null 2>&1 &
dialog=$(wait_for_window 'Quorbel konfigurieren')
sleep 1
import -window root "$shot"
name=settings.png save -crop "$(frame "$dialog")"
xdotool key Tab Tab Tab space # to the calendar button, and open the box
sleep 1
import -window root "$shot"
name=settings-calendar.png save -crop "$(frame "$dialog")"
xdotool key Tab Return alt+i # Enter away from a button closes the box
about=$(wait_for_window Info)
sleep 1
import -window root "$shot"
read -r x1 y1 x2 y2 < <(for w in "$dialog" "$about"; do frame "$w"; done |
    awk -F'[x+]' '{ l = $3; t = $4; r = $3 + $1; b = $4 + $2
        if (NR == 1 || l < L) L = l; if (NR == 1 || t < T) T = t
        if (r > R) R = r; if (b > B) B = b } END { print L, T, R, B }')
name=about.png save -crop "$((x2 - x1))x$((y2 - y1))+$x1+$y1"
xdotool key alt+s   # closes the About dialog
sleep 0.5
xdotool key alt+F4  # and the settings dialog, unsaved
wait

[[ -n $suffix ]] || "$(dirname "$0")/../tests/at-dpi.sh" 144 "$0" "$scr" "$docs" -150
