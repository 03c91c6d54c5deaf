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
    wine wine64
    xvfb xdotool imagemagick fonts-liberation2 fonts-wine
    googletest libgtest-dev
    clang libclang-rt-14-dev
    dpkg-dev patch qemu-user-static locales
    nsis
)
# Wine's 32-bit half is a step of its own: it needs an i386 twin of every
# amd64 library at the same version, which a mirror in mid-sync may lack
# for hours. Without it the Windows suites run on the 64-bit twin, as on a
# kernel that runs no 32-bit code (tools/wine-arch.sh tells which).
wine32=wine32:i386

missing_of() {
    local p status
    for p in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
        [[ "$status" == "install ok installed" ]] || echo "$p"
    done
}

# A mirror in mid-sync fails one index until it is done; apt then keeps the
# lists it had for it. Every index apt does take is checked against the
# signed Release file: a failing one is left out, never fetched around.
update_tries=3
update_pause=30
apt_update() {
    local try errors
    errors=$(mktemp)
    for ((try = 1; ; try++)); do
        apt-get update -qq >/dev/null 2>"$errors" && break
        if ((try == update_tries)); then
            echo "deps: apt-get update failed $try times, going on with the lists apt has; failed: $(failed_indexes <"$errors")"
            break
        fi
        sleep "$update_pause"
    done
    rm -f "$errors"
}

# The addresses of apt's "Failed to fetch" errors, or else its first error.
failed_indexes() {
    local said urls
    said=$(cat)
    urls=$(grep -oE 'Failed to fetch [^ ]+' <<<"$said" | cut -d' ' -f4 | sort -u | paste -sd' ' -)
    [[ -n $urls ]] && echo "$urls" && return
    grep -m1 '^E:' <<<"$said" || echo "(apt gave no reason)"
}

apt_install() {
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

explain_no_wine32() {
    cat <<EOF
deps: apt cannot install the 32-bit Wine ($wine32) now. It said:
    $1
  That is the package mirror, not the project: its i386 packages do not
  match the amd64 ones of the same name (a mirror in mid-sync, as a rule).
  Everything else is installed. This machine now runs the Windows suites on
  the 64-bit twin (build/win64), as one whose kernel runs no 32-bit code:
  'make run' runs the twin, and 'make test' skips the shipped i386 pass.
  Every later 'make deps', and so 'make run' and 'make test', tries again.
EOF
}

install_wine32() {
    local refusal
    echo "Installing: $wine32"
    refusal=$(apt_install "$wine32" 2>&1) && return 0
    explain_no_wine32 "$(grep -m1 '^E:' <<<"$refusal" || head -n1 <<<"$refusal")"
}

install_packages() {
    local missing
    mapfile -t missing < <(missing_of "${packages[@]}")
    local need_wine32
    need_wine32=$(missing_of "$wine32")
    [[ ${#missing[@]} -eq 0 && -z $need_wine32 ]] && return 0
    if [[ $(id -u) -ne 0 ]]; then
        [[ ${#missing[@]} -eq 0 ]] ||
            fail "missing packages (run 'make deps' as root): ${missing[*]} $need_wine32"
        echo "deps: $wine32 is missing (run 'make deps' as root); the Windows suites run on the 64-bit twin"
        return 0
    fi
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt_update
    if [[ ${#missing[@]} -gt 0 ]]; then
        echo "Installing: ${missing[*]}"
        apt_install "${missing[@]}" || fail "apt-get cannot install: ${missing[*]}"
    fi
    [[ -z $need_wine32 ]] || install_wine32
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
    apt_update
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

install_packages
fetch_libjpeg
make_locale
