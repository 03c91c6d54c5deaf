#!/usr/bin/env bash
# The program file's own protections, read from its headers:
#   pe-flags.sh OBJDUMP PROGRAM
# Relocatable (ASLR), no execution of data (DEP), aware of terminal-server
# sessions, resources read-only; 64-bit: the whole address space; 32-bit:
# marked as having no SEH handler, which holds only while no code in it
# installs a handler frame (checked below, since the file has no SafeSEH
# table that a handler could be listed in).
set -euo pipefail
objdump=$1
program=$2

headers=$("$objdump" -p "$program")
sections=$("$objdump" -h "$program")
characteristics=$((16#$(awk '/^DllCharacteristics/ { print $2 }' <<<"$headers")))
failed=0
check() {
    if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1"; failed=1; fi
}

check "relocatable, ASLR (DYNAMIC_BASE)" '((characteristics & 0x40))'
check "no execution of data, DEP (NX_COMPAT)" '((characteristics & 0x100))'
check "terminal-server aware" '((characteristics & 0x8000))'
check "base relocations present" 'grep -q " \.reloc " <<<"$sections"'
check "resources read-only" \
    'grep -A1 " \.rsrc " <<<"$sections" | tail -n 1 | grep -q READONLY'
check "no writable code" \
    '! grep -A1 " \.text " <<<"$sections" | tail -n 1 | grep -qv READONLY'

if grep -q 'file format pei-x86-64' <<<"$("$objdump" -f "$program")"; then
    check "high-entropy ASLR" '((characteristics & 0x20))'
else
    check "marked as without SEH handlers (NO_SEH)" '((characteristics & 0x400))'
    # A frame-based handler is registered through FS:[0] or comes from the
    # C runtime's handler functions: neither may be in the file.
    check "no handler frame through FS:[0]" \
        '! "$objdump" -d "$program" | grep -qE "%fs:0x0\b|%fs:0\b"'
    check "no frame-based handler imported" \
        '! grep -qE "\b(_except_handler[0-9]*|__CxxFrameHandler[0-9]*|_XcptFilter|RtlUnwind|__C_specific_handler)\b" <<<"$headers"'
fi
exit $failed
