#!/usr/bin/env bash
# Prints what the settings dialog costs per keystroke under Wine, and the
# size of the shipped program file. Run inside a Wine session:
#   tests/wine-session.sh build/wine-run tools/bench-settings.sh WINE_TREE SHIPPED_SCR
set -euo pipefail
tree=$1
shipped=$2
"$(dirname "$0")/../tests/wine-exec.sh" "$tree/tests/bench/preview_bench.exe" 2>/dev/null | tr -d '\r'
echo "shipped program file $shipped: $(stat -c %s "$shipped") bytes (budget 524288)"
