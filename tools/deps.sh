#!/usr/bin/env bash
# Installs every Debian package that building, running and testing need,
# then unpacks Debian's libjpeg-turbo source into third_party/, which the
# builds compile from. Quiet and quick when everything is present; without
# root it only names what is missing.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
jpeg_src=$root/third_party/libjpeg-turbo

fail() {
    echo "deps: $*" >&2
    exit 1
}

packages=(
    make cmake g++ pkg-config
    mingw-w64 gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686
    gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine32:i386
    xvfb xdotool imagemagick fonts-liberation2 fonts-wine
    googletest libgtest-dev
    clang libclang-rt-14-dev
    wine64 dpkg-dev patch qemu-user-static locales
    nsis
)

install_packages() {
    if [[ $(id -u) -ne 0 ]]; then
        echo "Missing packages (run 'make deps' as root): ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

has_deb_src() {
    apt-cache showsrc libjpeg-turbo 2>/dev/null | grep -q '^Package: libjpeg-turbo$'
}

# Source entries mirror the binary ones the machine already has, so no
# archive address is written down here.
add_deb_src() {
    local dir=/etc/apt/sources.list.d
    if [[ -f $dir/debian.sources ]]; then
        sed -E 's/^Types:.*/Types: deb-src/' "$dir/debian.sources" >"$dir/quorbel-deb-src.sources"
    elif [[ -f /etc/apt/sources.list ]] && grep -qE '^deb ' /etc/apt/sources.list; then
        sed -nE 's/^deb (.*)/deb-src \1/p' /etc/apt/sources.list >"$dir/quorbel-deb-src.list"
    else
        fail "no Debian package source found to derive a deb-src entry from"
    fi
}

ensure_deb_src() {
    has_deb_src && return 0
    [[ $(id -u) -eq 0 ]] || fail "needs root once to add a deb-src entry and run apt-get update"
    add_deb_src
    apt-get update -qq
    has_deb_src || fail "apt-get cannot find the libjpeg-turbo source package"
}

# Unpacked and patched beside the download and moved into place last, so
# that a fetch cut short is done again; a source patched otherwise than the
# patch now says is unpacked anew.
patch_file=$root/tools/libjpeg-decoder.patch
fetch_libjpeg() {
    local stamp
    stamp=$(sha256sum <"$patch_file")
    [[ -f $jpeg_src/CMakeLists.txt && $(cat "$jpeg_src/.patched" 2>/dev/null) == "$stamp" ]] &&
        return 0
    ensure_deb_src
    local download=$root/third_party/download
    rm -rf "$download"
    mkdir -p "$download"
    # apt warns that root downloads unsandboxed; that is expected here.
    (
        cd "$download"
        apt-get source -qq libjpeg-turbo 2>&1 | grep -v unsandboxed || true
    )
    local unpacked
    unpacked=$(find "$download" -mindepth 1 -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
    [[ -n $unpacked && -f $unpacked/CMakeLists.txt ]] || fail "apt-get source libjpeg-turbo failed"
    patch -d "$unpacked" -p1 --quiet --batch --fuzz=0 <"$patch_file" ||
        fail "$patch_file does not apply"
    # The archive keeps its files' dates, older than objects built from a
    # source before; new dates make every tree rebuild from this one.
    find "$unpacked" -type f -exec touch {} +
    echo "$stamp" >"$unpacked/.patched"
    rm -rf "$jpeg_src"
    mv "$unpacked" "$jpeg_src"
    rm -rf "$download"
    echo "Unpacked $(head -n 1 "$jpeg_src/debian/changelog" | cut -d' ' -f1-2) into $jpeg_src"
}

# The Wine sessions run in German; a fresh machine has only the C locales.
make_locale() {
    locale -a | grep -qix 'de_DE.utf-\?8' && return 0
    [[ $(id -u) -eq 0 ]] || fail "needs root once to make the locale de_DE.UTF-8"
    localedef -i de_DE -f UTF-8 de_DE.UTF-8 || fail "localedef cannot make de_DE.UTF-8"
}

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

[[ ${#missing[@]} -eq 0 ]] || install_packages
fetch_libjpeg
make_locale
