#!/usr/bin/env bash
# End to end: "/c" opens the settings dialog on the session's display; a
# date typed and OK pressed is what the registry then holds and what the
# next "/s" counts to. Screenshots of the dialog, with and without its
# calendar box, are left beside the program.  e2e-settings.sh PROGRAM
set -euo pipefail
source "$(dirname "$0")/windows.sh"
scr=$1
dir=$(dirname "$scr")
key='HKCU\Software\Quorbel'
log=$dir/settings-e2e.log
: >"$log"
differing() { compare -metric AE "$1" "$2" null: 2>&1 || true; }

"$QUORBEL_WINE" reg delete "$key" /f >>"$log" 2>&1 || true

"$run" "$scr" /c >>"$log" 2>&1 &
dialog=$!
trap 'kill "$dialog" 2>/dev/null || true' EXIT # a failed run leaves no window behind
wait_for_window 'Quorbel konfigurieren' "$dialog" >/dev/null || fail "the program showed no dialog"
sleep 1
import -window root "$dir/settings-e2e.png"
# The preview: navy, with the white text in it.
navy=$(convert "$dir/settings-e2e.png" -fuzz 5% -fill white -opaque 'rgb(0,0,128)' \
    -fill black +opaque white -format '%[fx:mean*w*h]' info:)
echo "navy preview pixels: $navy"
awk -v n="$navy" 'BEGIN { exit !(n > 30000) }' || fail "no preview on the screen"

xdotool key Tab Tab Tab space # OK, Cancel, the date field, the calendar button
sleep 1
import -window root "$dir/settings-calendar-e2e.png"
# Enter on a button clicks that button; from the check box it goes to
# "Schließen", the default button while the box is shown.
xdotool key Tab Return
sleep 0.5
import -window root "$dir/settings-closed-e2e.png"
opened=$(differing "$dir/settings-e2e.png" "$dir/settings-calendar-e2e.png")
closed=$(differing "$dir/settings-e2e.png" "$dir/settings-closed-e2e.png")
echo "pixels changed by the calendar box: $opened, left after closing it: $closed"
((opened > 20000)) || fail "the calendar box did not open"
((closed < 2000)) || fail "Enter did not close the calendar box"
xdotool key shift+Tab shift+Tab # back to the date field
xdotool type --delay 50 24122030
xdotool key alt+o
ends_well "$dialog" "the program, on OK,"

stored=$("$QUORBEL_WINE" reg query "$key" /v ende 2>>"$log" | tr -d '\r' | awk '/ende/ { print $3 }')
echo "stored date: $stored"
[[ $stored == 24.12.2030 ]] || fail "OK stored '$stored'"
echo "PASS"
