#!/usr/bin/env bash
# Draws Quorbel.ico, the program icon: a tear-off calendar page with a red
# header, two binding rings and a big day number. One 32 x 32 image with an
# alpha channel, stored the classic way (a 32-bit DIB, not PNG), which is
# what the screen-saver list and Explorer of older Windows can read.
# Shapes are drawn at the final size on whole pixels so the edges stay
# crisp; only the rounded corners and the digits are smoothed.
#
# Also draws Small.ico, the same page for the windows' title bars and big
# window icon at the display's scale: 16, 24, 32 and 48 pixels, stored the
# same way, so that at 100, 150 and 200 % Windows finds the size it asks for
# (or the next larger) instead of stretching one. Shrinking the big one would
# blur the rings and digits into mush, so the 16 is pixel art of its own; the
# 24 and 48 are drawn like the 32, at their own size on whole pixels, and
# the 32 is the program icon's own image.
set -euo pipefail

dir=$(cd "$(dirname "$0")" && pwd)
out=$dir/Quorbel.ico
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf # fonts-dejavu-core
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Soft shadow under the page, one pixel down and to the right.
convert -size 32x32 xc:none -fill 'rgba(0,0,0,0.45)' -draw 'roundrectangle 4,6 30,31 3,3' \
    -blur 0x0.7 "$tmp/shadow.png"

convert "$tmp/shadow.png" \
    -fill '#f7f7f4' -stroke '#5c6675' -strokewidth 1 -draw 'roundrectangle 2.5,4.5 28.5,29.5 3,3' \
    -stroke none -fill '#c62e28' -draw 'roundrectangle 3,5 28,12 2.5,2.5' \
    -draw 'rectangle 3,10 28,12' \
    -fill '#5c6675' -draw 'rectangle 3,13 28,13' \
    -fill '#2b2f36' -draw 'roundrectangle 8,2 10,8 1,1' -draw 'roundrectangle 20,2 22,8 1,1' \
    -fill '#9aa3ad' -draw 'rectangle 9,3 9,7' -draw 'rectangle 21,3 21,7' \
    -font "$font" -pointsize 14 -fill '#1d2f6e' -gravity center -annotate +0+6 '24' \
    -type TrueColorAlpha "ICO:$out"

# The 24 and 48 stroke the outline on pixel centres: one sharp pixel wide,
# not the two half-tone ones the 32 has.
convert -size 24x24 xc:none -fill 'rgba(0,0,0,0.45)' -draw 'roundrectangle 3,5 23,23 2,2' \
    -blur 0x0.5 "$tmp/shadow24.png"
convert "$tmp/shadow24.png" \
    -fill '#f7f7f4' -stroke '#5c6675' -strokewidth 1 -draw 'roundrectangle 1,3 21,22 2,2' \
    -stroke none -fill '#c62e28' -draw 'roundrectangle 2,4 20,9 1.5,1.5' -draw 'rectangle 2,7 20,9' \
    -fill '#5c6675' -draw 'rectangle 2,10 20,10' \
    -fill '#2b2f36' -draw 'roundrectangle 5,1 7,6 1,1' -draw 'roundrectangle 15,1 17,6 1,1' \
    -fill '#9aa3ad' -draw 'rectangle 6,2 6,5' -draw 'rectangle 16,2 16,5' \
    -font "$font" -pointsize 11 -fill '#1d2f6e' -gravity center -annotate +0+5 '24' \
    "$tmp/page24.png"

convert -size 48x48 xc:none -fill 'rgba(0,0,0,0.45)' -draw 'roundrectangle 6,9 45,47 4.5,4.5' \
    -blur 0x1 "$tmp/shadow48.png"
convert "$tmp/shadow48.png" \
    -fill '#f7f7f4' -stroke '#5c6675' -strokewidth 1 -draw 'roundrectangle 3,6 43,44 4.5,4.5' \
    -stroke none -fill '#c62e28' -draw 'roundrectangle 4,7 42,18 4,4' -draw 'rectangle 4,15 42,18' \
    -fill '#5c6675' -draw 'rectangle 4,19 42,20' \
    -fill '#2b2f36' -draw 'roundrectangle 12,3 16,13 1.5,1.5' -draw 'roundrectangle 30,3 34,13 1.5,1.5' \
    -fill '#9aa3ad' -draw 'rectangle 14,4 14,12' -draw 'rectangle 32,4 32,12' \
    -font "$font" -pointsize 21 -fill '#1d2f6e' -gravity center -annotate +0+9 '24' \
    "$tmp/page48.png"

# The page at 16 x 16 without its shadow; the shadow is added below.
small=$dir/Small.ico
cat >"$tmp/small.xpm" <<'EOF'
/* XPM */
static char *small[] = {
"16 16 6 1",
". c None",
"o c #5C6675",
"r c #C62E28",
"k c #2B2F36",
"w c #F7F7F4",
"d c #1D2F6E",
"...k.......k....",
".ookoooooookoo..",
"orrkrrrrrrrkrro.",
"orrrrrrrrrrrrro.",
"orrrrrrrrrrrrro.",
"ooooooooooooooo.",
"owwwwwwwwwwwwwo.",
"owwdddwwwwddwwo.",
"owwwwddwwdddwwo.",
"owwwwddwdwddwwo.",
"owwwddwwddddwwo.",
"owwddwwwwwddwwo.",
"owwddddwwwddwwo.",
"owwwwwwwwwwwwwo.",
".ooooooooooooo..",
"................"
};
EOF

# The shadow is the page's own outline in translucent black, one pixel down
# and to the right; unblurred, since half a pixel of blur is a grey smear at
# this size. The 32 is read back from Quorbel.ico so the two cannot drift.
convert \( "$tmp/small.xpm" \
    \( +clone -fill black -colorize 100 -channel A -evaluate multiply 0.35 +channel -roll +1+1 \) \
    +swap -composite \) \
    "$tmp/page24.png" "$out" "$tmp/page48.png" -type TrueColorAlpha "ICO:$small"

for icon in "$out" "$small"; do
    echo "$icon: $(identify -format '%wx%h %[channels] ' "$icon")$(stat -c %s "$icon") bytes"
done
