#!/usr/bin/env bash
# Draws about.jpg, the About dialog's picture: dusk over layered waves.
# The dialog squeezes it into 97 x 145, so it is drawn at four times that.
# Baseline JPEG: the decoder is only ever asked for that. The grain sets the
# file size, near 66 kB.
set -euo pipefail

out=$(cd "$(dirname "$0")" && pwd)/about.jpg
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

W=388
H=580

# wave PATH TOP BOTTOM FILE: a band below PATH, shaded from top to bottom.
wave() {
    convert -size ${W}x${H} gradient:"$2"-"$3" \
        \( -size ${W}x${H} xc:black -fill white -draw "path '$1'" -blur 0x0.8 \) \
        -alpha off -compose CopyOpacity -composite "$4"
}

wave 'M 0,360 C 90,320 170,390 250,350 S 360,330 388,345 L 388,580 L 0,580 Z' \
    '#9d8fc4' '#6a5f9c' "$tmp/wave1.png"
wave 'M 0,420 C 80,390 180,450 280,410 S 370,400 388,415 L 388,580 L 0,580 Z' \
    '#6d6fb0' '#414a88' "$tmp/wave2.png"
wave 'M 0,480 C 110,445 200,515 300,470 S 370,465 388,475 L 388,580 L 0,580 Z' \
    '#3f4d94' '#27305f' "$tmp/wave3.png"
wave 'M 0,540 C 100,515 220,570 310,530 S 375,525 388,532 L 388,580 L 0,580 Z' \
    '#242b63' '#141838' "$tmp/wave4.png"

# A fixed seed keeps the clouds and the grain, and so the file, the same.
convert -seed 11 \
    \( -size ${W}x200 gradient:'#132f66'-'#6f5a93' \) \
    \( -size ${W}x170 gradient:'#6f5a93'-'#f4b987' \) \
    \( -size ${W}x210 xc:'#f4b987' \) -append \
    \( -size ${W}x${H} plasma:grey50-grey50 -blur 0x8 -colorspace Gray -auto-level \
       -evaluate multiply 0.18 -evaluate add 41% \) -compose Overlay -composite \
    \( -size ${W}x${H} xc:none -fill 'rgba(255,220,170,0.35)' -draw 'circle 260,250 260,340' \
       -blur 0x30 \) -compose Screen -composite \
    \( -size ${W}x${H} xc:none -fill '#fff4de' -draw 'circle 260,250 260,290' -blur 0x1.5 \) \
    -compose Over -composite \
    \( -size ${W}x${H} xc:none -fill 'rgba(255,255,255,0.09)' \
       -draw 'circle 90,110 90,160' -draw 'circle 320,70 320,95' \
       -draw 'circle 150,200 150,222' -draw 'circle 40,280 40,295' -blur 0x2 \) -composite \
    "$tmp/wave1.png" -composite "$tmp/wave2.png" -composite \
    "$tmp/wave3.png" -composite "$tmp/wave4.png" -composite \
    -attenuate 0.28 +noise Gaussian \
    -strip -interlace none -quality 90 "$out"

echo "$out: $(identify -format '%wx%h, %[interlace] interlace' "$out"), $(stat -c %s "$out") bytes"
