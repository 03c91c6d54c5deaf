#!/usr/bin/env bash
# The shipped i386 program and setup themselves, end to end, inside a Wine
# session:  shipped.sh PROGRAM SETUP
# "/p 1234" ends at once, "/s" shows the display and ends on a key; the
# setup installs silently, and the installed file, the program's own bytes,
# saves the loaded settings on Enter after "/c", each with exit code 0.
#
# Run it through tools/with-i386.sh where the kernel runs no 32-bit code;
# every 32-bit start then takes a minute or two under emulation, nearly all
# of it Wine's own start-up.
set -euo pipefail
source "$(dirname "$0")/windows.sh"
scr=$(realpath "$1")
setup=$(realpath "$2")
dir=$(dirname "$scr")
log=$dir/shipped.log
shot=$dir/shipped-display.png
key='HKCU\Software\Quorbel'
: >"$log"

folder=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Quorbel
uninstall='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorbel'
pids=()
# The installed copy goes again by hand: the uninstaller, a copy of the
# setup's own head, is left to the suites, since here every 32-bit start
# costs a minute.
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$folder" "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Quorbel "*
    "$QUORBEL_WINE" reg delete "$uninstall" /f >>"$log" 2>&1 || true
    "$QUORBEL_WINE" reg delete 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE /f >>"$log" 2>&1 || true
}
trap cleanup EXIT

started=$(date +%s)
"$run" "$scr" /p 1234 >>"$log" 2>&1 &
pids+=($!)
code=0
finished $! 300 || code=$?
echo "/p 1234: exit code $code after $(($(date +%s) - started)) s"
((code == 0)) || fail "/p 1234"

"$QUORBEL_WINE" reg delete "$key" /f >>"$log" 2>&1 || true
"$QUORBEL_WINE" reg add "$key" /v backgroundcolor /t REG_DWORD /d 0x008000 /f >>"$log" 2>&1
started=$(date +%s)
"$run" "$scr" /s >>"$log" 2>&1 &
saver=$!
pids+=($saver)
WAIT_SECONDS=300 wait_for_window Bildschirmschoner "$saver" >/dev/null || fail "/s showed no window"
echo "/s: window on the screen after $(($(date +%s) - started)) s"
sleep 3
import -window root "$shot"
green=$(convert "$shot" -fuzz 8% -fill white -opaque 'rgb(0,128,0)' -fill black +opaque white \
    -format '%[fx:mean]' info:)
echo "/s: share of the screen in the stored background colour: $green"
awk -v g="$green" 'BEGIN { exit !(g > 0.8) }' || fail "/s does not show the stored colour"
xdotool key space
code=0
finished "$saver" 120 || code=$?
((code == 0)) || fail "/s ended with exit code $code"

started=$(date +%s)
code=0
"$run" "$setup" /S >>"$log" 2>&1 || code=$?
echo "setup /S: exit code $code after $(($(date +%s) - started)) s"
((code == 0)) || fail "setup /S"
cmp -s "$folder/Quorbel.scr" "$scr" || fail "the setup installed other bytes than the program's"

started=$(date +%s)
"$run" "$folder/Quorbel.scr" /c >>"$log" 2>&1 &
dialog=$!
pids+=($dialog)
WAIT_SECONDS=300 wait_for_window 'Quorbel konfigurieren' "$dialog" >/dev/null ||
    fail "/c showed no dialog"
echo "/c: dialog on the screen after $(($(date +%s) - started)) s"
sleep 2
xdotool key Return # OK has the focus: the loaded settings are saved
code=0
finished "$dialog" 120 || code=$?
((code == 0)) || fail "/c ended with exit code $code"
"$QUORBEL_WINE" reg query "$key" /v fontsize >>"$log" 2>&1 || fail "/c saved nothing"
echo "PASS"
