#!/usr/bin/env bash
# Draws the button pictures as 24-bit BMPs from the pixel art below.
# Magenta (#FF00FF) is the transparent colour; it is also every picture's
# lower-left pixel, so either way of finding it gives the same answer.
set -euo pipefail

dir=$(cd "$(dirname "$0")" && pwd)

# bmp NAME: the XPM on standard input becomes NAME.bmp.
bmp() {
    convert xpm:- -alpha off -type TrueColor "BMP3:$dir/$1.bmp"
}

# A door with a red arrow leading out of it.
bmp btnClose <<'EOF'
/* XPM */
static char *btnClose[] = {
"16 16 10 1",
". c #FF00FF",
"k c #3C2310",
"l c #D89A5C",
"d c #B06A30",
"D c #804818",
"y c #F8D838",
"R c #800000",
"r c #E82020",
"o c #FF8080",
"g c #A0A0A0",
"................",
".kkkkkkkkk......",
".klllllllk......",
".kldddddDk......",
".kldDDDdDk.R....",
".kldDlDdDk.RR...",
".kldDDDdDk.RoR..",
".kldddRRRRRRroR.",
".kldydRooooorrrR",
".kldddRRRRRRrrR.",
".kldDDDdDk.RrR..",
".kldDlDdDk.RR...",
".kldDDDdDk.R....",
".kldddddDk......",
".kkkkkkkkk......",
".ggggggggggg...."
};
EOF

# An envelope.
bmp btnEmail <<'EOF'
/* XPM */
static char *btnEmail[] = {
"17 16 6 1",
". c #FF00FF",
"k c #505050",
"w c #FFFFFF",
"e c #EFE6C8",
"s c #8C8C8C",
"f c #CFC3A0",
".................",
".................",
".................",
"kkkkkkkkkkkkkkkkk",
"kswwwwwwwwwwwwwsk",
"keswwwwwwwwwwwsek",
"keeswwwwwwwwwseek",
"keeeswwwwwwwseeek",
"keeeeswwwwwseeeek",
"keeeeeswwwseeeeek",
"keeeeeesssseeeeek",
"keefffeeeeefffeek",
"kffeeeeeeeeeeeffk",
"kkkkkkkkkkkkkkkkk",
".................",
"................."
};
EOF

# A globe.
bmp btnWebsite <<'EOF'
/* XPM */
static char *btnWebsite[] = {
"17 16 7 1",
". c #FF00FF",
"k c #102860",
"L c #70B0F8",
"b c #2868D0",
"B c #1848A0",
"g c #38A838",
"G c #207020",
".................",
"......kkkkk......",
"....kkLLbgbkk....",
"...kLLLbggggbk...",
"..kLLggbbgggbbk..",
"..kLggggbbgbbbk..",
".kbbgggggbbbbbbk.",
".kbbbggggbbbgggk.",
".kbbbbgggbbgGGgk.",
".kbbbbbGgbbbgGgk.",
".kbbbbbgbbbbbgBk.",
"..kbbbbggbbbbBk..",
"..kbbbbbgbbbBBk..",
"...kbbbbbbbBBk...",
"....kkbbbBBkk....",
"......kkkkk......"
};
EOF

# A calendar page with one day marked.
bmp btnCalender <<'EOF'
/* XPM */
static char *btnCalender[] = {
"16 14 8 1",
". c #FF00FF",
"k c #2B2F36",
"B c #1D2F6E",
"r c #C62E28",
"w c #FFFFFF",
"g c #B4B4B4",
"o c #5C6675",
"R c #E82020",
"...k........k...",
".BBkBBBBBBBBkBB.",
"BrrkrrrrrrrrkrrB",
"BrrrrrrrrrrrrrrB",
"BBBBBBBBBBBBBBBB",
"oggwggwggwggwggo",
"oggwggwggwggwggo",
"owwwwwwwwwwwwwwo",
"oggwggwRRwggwggo",
"oggwggwRRwggwggo",
"owwwwwwwwwwwwwwo",
"oggwggwggwggwggo",
"oggwggwggwggwggo",
".oooooooooooooo."
};
EOF

# The letter i in a speech bubble.
bmp btnInfo <<'EOF'
/* XPM */
static char *btnInfo[] = {
"16 16 4 1",
". c #FF00FF",
"b c #1848A0",
"w c #FFFFFF",
"i c #2868D0",
"................",
"...bbbbbbbbbb...",
"..bwwwwwwwwwwb..",
".bwwwwwiiwwwwwb.",
".bwwwwwiiwwwwwb.",
".bwwwwwwwwwwwwb.",
".bwwwwiiiwwwwwb.",
".bwwwwwiiwwwwwb.",
".bwwwwwiiwwwwwb.",
".bwwwwwiiwwwwwb.",
".bwwwwiiiiwwwwb.",
".bwwwwwwwwwwwwb.",
"..bwwwwwwwwwwb..",
"...bwwbbbbbbb...",
"..bwwb..........",
"..bb............"
};
EOF

# A heart, lit from the upper left.
bmp btnGeschenke <<'EOF'
/* XPM */
static char *btnGeschenke[] = {
"16 16 6 1",
". c #FF00FF",
"k c #7A0C0C",
"r c #E02828",
"d c #B01818",
"h c #FFB0B0",
"H c #FF6060",
"................",
"................",
"..kkkk....kkkk..",
".krrrrk..krrrrk.",
"krhHrrrkkrrrrrdk",
"krHrrrrrrrrrrrdk",
"krrrrrrrrrrrrrdk",
"krrrrrrrrrrrrrdk",
".krrrrrrrrrrrdk.",
"..krrrrrrrrrddk.",
"...krrrrrrrddk..",
"....krrrrrddk...",
".....krrrddk....",
"......krddk.....",
".......kk.......",
"................"
};
EOF

for name in btnClose btnEmail btnWebsite btnCalender btnInfo btnGeschenke; do
    bits=$(od -An -t u2 -j 28 -N 2 "$dir/$name.bmp" | tr -d ' ')
    echo "$dir/$name.bmp: $(identify -format '%wx%h' "$dir/$name.bmp"), $bits bits per pixel"
done
