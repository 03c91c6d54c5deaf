#!/usr/bin/env bash
# Cross-builds the static JPEG decoder library for 32-bit Windows from
# Debian's libjpeg-turbo source package. Runs once per build tree: when the
# library is installed it does nothing.
#
# Usage: build-libjpeg.sh WORKDIR [TOOLCHAIN_FILE [CMAKE_ARGS...]]
#   WORKDIR gets src/ (the unpacked package), build/ and install/.
#   TOOLCHAIN_FILE defaults to the project's MinGW-w64 toolchain; the
#   CMAKE_ARGS (say -DMINGW_ARCH=x86_64) go to libjpeg-turbo's configure.
#   CMAKE in the environment picks the cmake to run (default: cmake).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
work=$(realpath -m "${1:?usage: build-libjpeg.sh WORKDIR [TOOLCHAIN_FILE [CMAKE_ARGS...]]}")
toolchain=$(realpath "${2:-$here/../cmake/mingw.cmake}")
shift $(($# < 2 ? $# : 2))
extra=("$@")
cmake=${CMAKE:-cmake}
src=$work/src
build=$work/build
install=$work/install
# Written last, so a build that was cut short is redone.
lib=$install/lib/libjpeg.a

[[ -f $lib ]] && exit 0

fail() {
    echo "build-libjpeg: $*" >&2
    exit 1
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

fetch_source() {
    [[ -f $src/CMakeLists.txt ]] && return 0
    command -v dpkg-source >/dev/null || fail "dpkg-source missing: install dpkg-dev"
    ensure_deb_src
    local download=$work/download
    rm -rf "$download" "$src"
    mkdir -p "$download"
    # apt warns that root downloads unsandboxed; that is expected here.
    (
        cd "$download"
        apt-get source -qq libjpeg-turbo 2>&1 | grep -v unsandboxed || true
    )
    local unpacked
    unpacked=$(find "$download" -mindepth 1 -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
    [[ -n $unpacked && -f $unpacked/CMakeLists.txt ]] || fail "apt-get source libjpeg-turbo failed"
    mv "$unpacked" "$src"
    rm -rf "$download"
}

# SIMD stays off: it would need nasm, and the one small picture decodes in
# about a millisecond without it. The picture is baseline, so arithmetic
# decoding stays out, and so does the JPEGMEM variable, whose sscanf alone
# would add 15 KiB to the program.
compile() {
    local log=$work/build.log
    if ! {
        "$cmake" -S "$src" -B "$build" -Wno-dev \
            -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_INSTALL_PREFIX="$install" \
            -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
            -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF -DWITH_JAVA=OFF -DWITH_ARITH_DEC=OFF \
            -DWITH_ARITH_ENC=OFF \
            -DCMAKE_C_FLAGS="-DNO_GETENV -ffunction-sections -fdata-sections -ffile-prefix-map=$work/=" \
            "${extra[@]}" &&
            "$cmake" --build "$build" --target jpeg-static -j "$(nproc)"
    } >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        fail "compiling libjpeg-turbo failed; full log in $log"
    fi
}

install_files() {
    mkdir -p "$install/include" "$install/lib"
    cp "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$build/jconfig.h" "$install/include/"
    local built
    built=$(find "$build" -maxdepth 1 -name 'libjpeg.a' | head -n 1)
    [[ -n $built ]] || fail "the build made no libjpeg.a"
    cp "$built" "$lib.part"
    mv "$lib.part" "$lib"
}

mkdir -p "$work"
fetch_source
compile
install_files
echo "build-libjpeg: $(head -n 1 "$src/debian/changelog" | cut -d' ' -f1-2) installed into $install"
