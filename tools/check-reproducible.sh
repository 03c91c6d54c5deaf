#!/usr/bin/env bash
# Builds the program and its setup once more, in a folder of another name,
# and compares both with the bytes of the main tree:
#   check-reproducible.sh MAIN_TREE OTHER_TREE
# The other tree is the win32 preset's in another folder; it builds libjpeg
# from the same unpacked source in third_party/, so nothing is fetched.
set -euo pipefail
cd "$(dirname "$0")/.."
main=$(realpath "$1")
other=$(realpath -m "$2")
fail() { echo "FAIL: $*"; exit 1; }

cmake --preset win32 -B "$other" >/dev/null
cmake --build "$other" --target setup -j"$(nproc)" >/dev/null
for file in Quorbel.scr "$(cat "$main/setup-name")"; do
    cmp "$main/$file" "$other/$file" || fail "$file differs between $main and $other"
    echo "$file: the same $(stat -c %s "$main/$file") bytes from $(basename "$other")"
done
