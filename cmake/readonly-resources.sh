#!/usr/bin/env bash
# Clears the write flag of a PE file's resource section, in place, and
# writes the file's checksum anew:  readonly-resources.sh FILE
# The section header's characteristics are the last four bytes of its 40;
# the write flag is the top bit of the last one.
set -euo pipefail
file=$1
# Little-endian unsigned integer of SIZE bytes at OFFSET.
number() { od -An -t u"$2" -j "$1" -N "$2" "$file" | tr -d ' '; }
# Writes the low SIZE bytes of VALUE at OFFSET, little-endian.
put() {
    local offset=$1 size=$2 value=$3 bytes="" i
    for ((i = 0; i < size; i++)); do
        bytes+=$(printf '\\%03o' $(((value >> (8 * i)) & 0xFF)))
    done
    printf "$bytes" | dd of="$file" bs=1 seek="$offset" conv=notrunc status=none
}

pe=$(number 60 4)
sections=$(number $((pe + 6)) 2)
table=$((pe + 24 + $(number $((pe + 20)) 2)))
for ((i = 0; i < sections; i++)); do
    header=$((table + 40 * i))
    [[ $(dd if="$file" bs=1 skip="$header" count=8 status=none | tr -d '\0') == .rsrc ]] || continue
    put $((header + 39)) 1 $(($(number $((header + 39)) 1) & 0x7F))
    # The image checksum: 16-bit words summed with their carries folded
    # back, the checksum's own two left out, plus the file's length.
    sum=$((pe + 24 + 64))
    put "$sum" 4 0
    checksum=$(od -An -v -t u2 "$file" | awk -v size="$(stat -c %s "$file")" '
        { for (i = 1; i <= NF; i++) { s += $i; s = s % 65536 + int(s / 65536) } }
        END { s = s % 65536 + int(s / 65536); print s + size }')
    put "$sum" 4 "$checksum"
    exit 0
done
echo "no .rsrc section in $file" >&2
exit 1
