#!/usr/bin/env bash
# Runs a command of the Wine session with the display at another scale:
#   at-dpi.sh DPI COMMAND...
# A Windows program takes its resolution from the user's LogPixels when it
# starts, so the programs the command starts run at DPI; it is 96 again
# afterwards, however the command ends.
set -euo pipefail
scale() {
    "$QUORBEL_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null 2>&1
}
trap 'scale 96' EXIT
scale "$1"
shift
"$@"
