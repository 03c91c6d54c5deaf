#!/usr/bin/env bash
# Installs every Debian package that building, running and testing need.
# Quiet and quick when everything is present; without root it only names
# what is missing.
set -euo pipefail

packages=(
    make cmake g++ pkg-config
    mingw-w64 gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686
    gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine32:i386
    xvfb xdotool imagemagick fonts-liberation2 fonts-wine
    googletest libgtest-dev
    clang libclang-rt-14-dev
    wine64 dpkg-dev qemu-user-static
    nsis
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -ne 0 ]]; then
    echo "Missing packages (run 'make deps' as root): ${missing[*]}" >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
