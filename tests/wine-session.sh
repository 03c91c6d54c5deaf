#!/usr/bin/env bash
# One Wine session around a command:  wine-session.sh PREFIX COMMAND...
# An isolated prefix (made once, then reused) with German regional settings,
# a virtual display when there is none, and one persistent wineserver for
# the whole run, since starting Wine per program costs seconds. Everything
# started here is ended by its id when the command ends, also on failure.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

export WINEPREFIX=$1
shift
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer dialogs, and no start menu entries of the
# setup's copied into the host's desktop menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export QUORBEL_WINE_SESSION=1
# Wine's own texts and the system's month and day names in German, as the
# program's users have them (make deps makes the locale); the scripts'
# numbers stay in the C notation.
export LANG=de_DE.UTF-8 LC_NUMERIC=C
unset LC_ALL
[[ -x /usr/lib/wine/wine64 ]] && wine=/usr/lib/wine/wine64 || wine=/usr/lib/wine/wine
export QUORBEL_WINE=$wine
[[ -x /usr/lib/wine/wineserver64 ]] && server=/usr/lib/wine/wineserver64 ||
    server=/usr/lib/wine/wineserver32

pids=()
cleanup() {
    "$server" -k 2>/dev/null || true
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
}
trap cleanup EXIT

if [[ -z "${DISPLAY:-}" ]]; then
    # Room for the settings dialog at 200 %, as the scaled suites show it.
    displayfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" 2>/dev/null &
    pids+=($!)
    for _ in $(seq 100); do [[ -s "$displayfile" ]] && break; sleep 0.05; done
    export DISPLAY=:$(cat "$displayfile") QUORBEL_VIRTUAL_DISPLAY=1
    rm -f "$displayfile"
fi

import() { "$wine" regedit /S "Z:${1//\//\\}"; }
# regedit reads a file of version 5 as UTF-16; the project keeps it in UTF-8.
import_utf8() {
    local wide
    wide=$(mktemp --suffix=.reg)
    iconv -f UTF-8 -t UTF-16 "$1" >"$wide"
    import "$wide"
    rm -f "$wide"
}
settings() {
    import "$here/german-locale.reg"
    import "$here/display-scale.reg"
    import_utf8 "$here/font-names.reg"
    [[ -z "${QUORBEL_VIRTUAL_DISPLAY:-}" ]] || import "$here/virtual-display.reg"
}

mkdir -p "$WINEPREFIX"
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "Making the Wine prefix $WINEPREFIX (once)..."
    "$wine" wineboot -i >/dev/null 2>&1
    settings
    # Wine's desktop process started before these settings and would keep
    # the old ones for the whole session.
    "$server" -k 2>/dev/null || true
    "$server" -w 2>/dev/null || true
fi

# Wine here reads fonts from the prefix's Fonts folder and the system's
# font configuration, never from the folder Debian puts its own in: without
# Marlett, the caption buttons show their letters ("r" for close).
fonts=$WINEPREFIX/drive_c/windows/Fonts
mkdir -p "$fonts"
for font in /usr/share/wine/fonts/*.ttf; do
    [[ -e $fonts/${font##*/} ]] || ln -s "$font" "$fonts/"
done

"$server" -f -p 2>/dev/null &
pids+=($!)
socket=/tmp/.wine-$(id -u)/$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))/socket
for _ in $(seq 200); do [[ -S "$socket" ]] && break; sleep 0.05; done
settings

"$@"
