#!/usr/bin/env bash
# Runs one Windows program under Wine: CTest's emulator for the cross-built
# suites. Only inside a session of tests/wine-session.sh, so that nothing
# ever touches a prefix outside the build tree.
set -euo pipefail
: "${QUORBEL_WINE_SESSION:?run the Windows suites through tests/wine-session.sh}"

case "$(file -b "$1")" in
*x86-64*) loader=/usr/lib/wine/wine64 ;;
*) loader=/usr/lib/wine/wine ;;
esac
exec "$loader" "$@"
