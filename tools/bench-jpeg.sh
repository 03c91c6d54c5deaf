#!/usr/bin/env bash
# What decoding the About picture costs: the bytes the decoder and libjpeg
# add to a static executable, and the time one decode takes under Wine.
# Usage: bench-jpeg.sh [ARCH [PICTURE [COUNT]]]
#   ARCH i686 (default) or x86_64; PICTURE defaults to resources/about.jpg.
#   Timing is skipped where this machine's Wine cannot run ARCH.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-i686}
picture=$(realpath "${2:-$root/resources/about.jpg}")
count=${3:-100}
out=$root/build/bench-$arch

# The libjpeg of the Windows tree of that architecture, built as the program's.
case $arch in
i686) preset=win32 ;;
x86_64) preset=win64 ;;
*) echo "bench-jpeg: i686 or x86_64, not '$arch'" >&2 && exit 2 ;;
esac
jpeg=$root/build/$preset/libjpeg
mkdir -p "$out"
(
    cd "$root"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target libjpeg >/dev/null
)

cxx=("$arch-w64-mingw32-g++-posix" -std=c++17 -Os -Wall -Wextra -finput-charset=UTF-8
    -fexec-charset=CP1252 -DWIN32_LEAN_AND_MEAN -DNOMINMAX -I"$root"
    -static -static-libgcc -static-libstdc++)

"${cxx[@]}" -I"$jpeg/include" -o "$out/jpeg_bench.exe" \
    "$root/tests/bench/jpeg_bench.cpp" "$root/framework/JpegImage.cpp" \
    "$jpeg/build/libjpeg.a" -lgdi32
"${cxx[@]}" -o "$out/jpeg_bench_baseline.exe" "$root/tests/bench/jpeg_bench_baseline.cpp"

size() { stat -c %s "$1"; }
for exe in jpeg_bench jpeg_bench_baseline; do
    "$arch-w64-mingw32-strip" -o "$out/$exe.stripped.exe" "$out/$exe.exe"
done
with=$(size "$out/jpeg_bench.exe")
without=$(size "$out/jpeg_bench_baseline.exe")
with_s=$(size "$out/jpeg_bench.stripped.exe")
without_s=$(size "$out/jpeg_bench_baseline.stripped.exe")
echo "size ($arch, -Os, static): $without -> $with bytes, +$((with - without));" \
    "stripped $without_s -> $with_s bytes, +$((with_s - without_s))"

case $arch in
i686) loader=/usr/lib/wine/wine ;;
*) loader=/usr/lib/wine/wine64 ;;
esac
if ! "$loader" --version >/dev/null 2>&1; then
    echo "timing skipped: this machine's Wine cannot run $arch programs"
    exit 0
fi
export WINEPREFIX=${WINEPREFIX:-$out/wineprefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
echo "time ($arch, under Wine): $("$loader" "$out/jpeg_bench.exe" "$picture" "$count")"
