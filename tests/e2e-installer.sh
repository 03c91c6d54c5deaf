#!/usr/bin/env bash
# The setup under Wine, silently, as a user without administrator rights
# runs it: install, the installed program, install again, a file in use,
# uninstall. The saver selected before comes back, one chosen since stays,
# and the user's settings stay.  e2e-installer.sh SETUP PROGRAM
set -Eeuo pipefail
source "$(dirname "$0")/windows.sh"
setup=$(realpath "$1")
scr=$(realpath "$2")
log=$(dirname "$setup")/installer-e2e.log
: >"$log"
user=$(id -un)
folder=$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/Quorbel
menu="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
installed="C:\\users\\$user\\AppData\\Local\\Programs\\Quorbel\\Quorbel.scr"
desktop='HKCU\Control Panel\Desktop'
entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorbel'
settings='HKCU\Software\Quorbel'

trap 'fail "line $LINENO: $BASH_COMMAND"' ERR
pids=()
trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done' EXIT

reg() { "$QUORBEL_WINE" reg "$@" >>"$log" 2>&1; }
# The data of one value, or nothing when it is missing.
value() {
    { "$QUORBEL_WINE" reg query "$1" /v "$2" 2>>"$log" || true; } | tr -d '\r' |
        awk -v name="$2" 'tolower($1) == tolower(name) { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
expect() { # KEY NAME DATA: the value holds DATA, or is missing for ""
    local got
    got=$(value "$1" "$2")
    [[ ${got,,} == "${3,,}" ]] && return
    # The whole key, to tell a value never written from a read that failed.
    fail "$1 $2 is '$got', not '$3'; the key: $("$QUORBEL_WINE" reg query "$1" 2>&1 | tr -d '\r')"
}
# A user who had a saver (or none, for ""), a setting of their own, and no Quorbel.
start_from() {
    reg delete "$entry" /f || true
    reg delete "$settings" /f || true
    reg delete "$desktop" /v SCRNSAVE.EXE /f || true
    reg delete "$desktop" /v ScreenSaveActive /f || true
    rm -rf "$folder" "$menu/Quorbel einrichten.lnk" "$menu/Quorbel als Bildschirmschoner wählen.lnk"
    [[ -z $1 ]] || reg add "$desktop" /v SCRNSAVE.EXE /d "$1" /f
    [[ -z $1 ]] || reg add "$desktop" /v ScreenSaveActive /d 0 /f
    reg add "$settings" /v text /d "Mein Text" /f
}
install() { "$run" "$setup" /S >>"$log" 2>&1; }
# What a program nobody here wrote makes of the entry: Wine's own list of
# installed programs, one "key|||name" line each.
listed() { "$QUORBEL_WINE" uninstaller --list 2>>"$log" | tr -d '\r' | grep '|||Quorbel$' >/dev/null; }
# The uninstaller hands over to a copy of itself and returns: its work is
# done when the folder and, last, the uninstall entry have gone.
uninstall() {
    "$run" "$folder/Uninstall.exe" /S >>"$log" 2>&1
    for _ in $(seq 300); do
        [[ ! -e $folder && -z $(value "$entry" DisplayName) ]] && return 0
        sleep 0.1
    done
    fail "the uninstaller left $folder or its entry"
}

before='C:\windows\system32\vorher.scr'
start_from "$before"
started=$(date +%s%N)
install || fail "the setup ended with exit code $?"
echo "installed in $((($(date +%s%N) - started) / 1000000)) ms"
cmp -s "$folder/Quorbel.scr" "$scr" || fail "the installed file is not the built one"
[[ -f "$menu/Quorbel einrichten.lnk" && -f "$menu/Quorbel als Bildschirmschoner wählen.lnk" ]] ||
    fail "the start menu entries are missing"
short=$("$QUORBEL_WINE" winepath -s "$installed" 2>>"$log" | tr -d '\r')
expect "$desktop" SCRNSAVE.EXE "$short"
expect "$desktop" ScreenSaveActive 1
expect "$entry" DisplayName Quorbel
expect "$entry" QuietUninstallString "\"${installed%Quorbel.scr}Uninstall.exe\" /S"
expect "$entry" SaverBefore "$before"
listed || fail "Wine's list of installed programs lacks Quorbel"

# The installed program opens with the user's settings: OK saves them back.
"$run" "$folder/Quorbel.scr" /c >>"$log" 2>&1 &
pids+=($!)
dialog=$(wait_for_window 'Quorbel konfigurieren' "${pids[-1]}") || fail "the installed /c showed nothing"
xdotool windowfocus --sync "$dialog" key Return
ends_well "${pids[-1]}" "the installed /c, on OK,"
expect "$settings" text "Mein Text"
expect "$settings" fontsize 0x20

install || fail "the setup over an installed Quorbel ended with exit code $?"
expect "$entry" SaverBefore "$before" # not itself

# A file in use is never half replaced or half removed: silently, setup and
# uninstaller give up. Run in place, the uninstaller gives its exit code.
"$run" "$folder/Quorbel.scr" /c >>"$log" 2>&1 &
pids+=($!)
wait_for_window 'Quorbel konfigurieren' "${pids[-1]}" >/dev/null || fail "no dialog to hold the file"
written=$(stat -c %y "$folder/Quorbel.scr")
install && fail "the setup replaced a file in use"
code=0
"$run" "$folder/Uninstall.exe" /S "_?=${installed%\\Quorbel.scr}" >>"$log" 2>&1 || code=$?
((code == 2)) || fail "the uninstaller of a file in use ended with exit code $code"
kill "${pids[-1]}"
wait "${pids[-1]}" 2>/dev/null || true
[[ $(stat -c %y "$folder/Quorbel.scr") == "$written" ]] || fail "a refused setup wrote the file"
expect "$desktop" SCRNSAVE.EXE "$short"
expect "$entry" DisplayName Quorbel

uninstall
[[ ! -e "$menu/Quorbel einrichten.lnk" ]] || fail "the uninstaller left a start menu entry"
expect "$desktop" SCRNSAVE.EXE "$before"
expect "$desktop" ScreenSaveActive 0
expect "$entry" DisplayName ""
listed && fail "Wine's list of installed programs still has Quorbel"
expect "$settings" text "Mein Text"

# No saver before: none after, also where the long path names the file.
# One chosen since the install: it stays.
for chosen in "${installed^^}=" 'C:\windows\system32\andere.scr=C:\windows\system32\andere.scr'; do
    start_from ""
    install || fail "the setup ended with exit code $?"
    reg add "$desktop" /v SCRNSAVE.EXE /d "${chosen%%=*}" /f
    uninstall
    expect "$desktop" SCRNSAVE.EXE "${chosen#*=}"
done
echo "PASS"
