#!/usr/bin/env bash
# What `make deps` decides when the package mirror misbehaves, without the
# network: tools/deps.sh runs as root on a machine with nothing installed,
# against a stand-in apt-get (and dpkg, sleep) on PATH. Each row: how the
# stand-in behaves, whether Wine's 32-bit half ends up installed, a line
# that must be said, and the exit code.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

index=http://deb.example/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz
rows=(
    # update      wine32   installed  said                                         exit
    "fail-twice   accept   yes        Installing: wine32:i386                      0"
    "fail-always  accept   yes        update failed 3 times.*failed: $index        0"
    "succeed      refuse   no         That is the package mirror, not the project  0"
)

# The project as deps.sh sees it, its libjpeg source already unpacked.
mkdir -p "$work/root/tools" "$work/root/third_party/libjpeg-turbo" "$work/bin"
cp "$here/../tools/deps.sh" "$here/../tools/libjpeg-decoder.patch" "$work/root/tools/"
touch "$work/root/third_party/libjpeg-turbo/CMakeLists.txt"
sha256sum <"$here/../tools/libjpeg-decoder.patch" >"$work/root/third_party/libjpeg-turbo/.patched"

stand_in() { printf '#!/usr/bin/env bash\n%s\n' "$2" >"$work/bin/$1" && chmod +x "$work/bin/$1"; }
stand_in id 'echo 0'
stand_in sleep 'echo "$1" >>"$STATE/slept"'
stand_in locale 'echo de_DE.utf8'
stand_in dpkg 'echo i386'
stand_in dpkg-query 'grep -qxF "${@: -1}" "$STATE/installed" && printf "install ok installed"; true'
stand_in apt-get '
case $1 in
update)
    tries=$(($(cat "$STATE/updates" 2>/dev/null || echo 0) + 1))
    echo "$tries" >"$STATE/updates"
    if [[ $UPDATE == fail-always || ($UPDATE == fail-twice && $tries -le 2) ]]; then
        echo "E: Failed to fetch '"$index"'  File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2
        echo "E: Some index files failed to download." >&2
        exit 100
    fi ;;
install)
    shift 4
    if [[ $WINE32 == refuse && " $* " == *" wine32:i386 "* ]]; then
        echo "E: Unable to correct problems, you have held broken packages." >&2
        exit 100
    fi
    printf "%s\n" "$@" >>"$STATE/installed" ;;
esac'

failures=0
for row in "${rows[@]}"; do
    read -r update wine32 installed said <<<"$row"
    expected_exit=${said##* }
    said=$(sed -E 's/ +[0-9]+$//' <<<"$said")
    export STATE=$work/state-$update-$wine32 UPDATE=$update WINE32=$wine32
    mkdir -p "$STATE" && : >"$STATE/installed"
    code=0
    output=$(PATH=$work/bin:$PATH bash "$work/root/tools/deps.sh" 2>&1) || code=$?
    problems=()
    ((code == expected_exit)) || problems+=("exit code $code, not $expected_exit")
    grep -qE -- "$said" <<<"$output" || problems+=("it did not say '$said'")
    has_wine32=$(grep -qx 'wine32:i386' "$STATE/installed" && echo yes || echo no)
    [[ $has_wine32 == "$installed" ]] || problems+=("wine32:i386 installed: $has_wine32")
    grep -qx nsis "$STATE/installed" || problems+=("the other packages were not installed")
    slept=$(paste -sd' ' "$STATE/slept" 2>/dev/null || true)
    [[ $update == succeed || $slept == "30 30" ]] ||
        problems+=("paused '$slept' s between the tries of apt-get update")
    if ((${#problems[@]})); then
        printf 'FAIL %s / wine32 %s: %s\n--- it said:\n%s\n' "$update" "$wine32" \
            "$(printf '%s; ' "${problems[@]}")" "$output"
        failures=$((failures + 1))
    else
        echo "ok   update $update, wine32 $wine32"
    fi
done
exit $((failures > 0))
