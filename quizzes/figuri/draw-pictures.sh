#!/usr/bin/env bash
# Draws the question pictures of this test with ImageMagick.
#
# Each picture is as large as the box its [picture N] section in test.kaz gives it
# (width and height in twips, 15 twips a pixel; 1695 x 1815 when the section names no
# size). The thumbnail of the test window shows only the top-left 105 x 89 pixels of a
# picture, so each drawing puts its figure there and its notes right of or below it.
#
# Usage: draw-pictures.sh [FOLDER]   (FOLDER defaults to the folder of this script)
# Needs ImageMagick 6 or 7 and the DejaVu Sans font (Debian: fonts-dejavu-core).
set -euo pipefail

folder=${1:-$(cd "$(dirname "$0")" && pwd)}
kaz="$folder/test.kaz"
[ -f "$kaz" ] || { echo "draw-pictures.sh: no test.kaz in $folder" >&2; exit 1; }

if command -v magick >/dev/null 2>&1; then
    im=(magick)
elif command -v convert >/dev/null 2>&1; then
    im=(convert)
else
    echo "draw-pictures.sh: ImageMagick (magick or convert) is needed" >&2
    exit 1
fi

font=DejaVu-Sans
ink='#1a3c6e'        # outlines
note='#202020'       # text

# "file width height" for every [picture N] section, in pixels.
boxes() {
    awk '
        function flush() {
            if (file != "") printf "%s %d %d\n", file, w / 15, h / 15
            file = ""
        }
        /^#/ { next }
        /^\[/ {
            flush()
            inpic = ($0 ~ /^\[picture [0-9]+\]/)
            w = 1695; h = 1815
            next
        }
        inpic && /=/ {
            key = $0; sub(/=.*/, "", key); gsub(/[ \t\r]/, "", key)
            val = $0; sub(/^[^=]*=/, "", val); gsub(/[ \t\r]/, "", val)
            if (key == "file") file = val
            else if (key == "width") w = val
            else if (key == "height") h = val
        }
        END { flush() }
    ' "$kaz"
}

# draw FILE WIDTH HEIGHT BACKGROUND FRAME [ImageMagick drawing options …]
# The outermost ring of pixels becomes the frame, so that a cut edge shows in the thumbnail.
draw() {
    local file=$1 w=$2 h=$3 bg=$4 frame=$5
    shift 5
    "${im[@]}" -size "${w}x${h}" "xc:$bg" -font "$font" -strokewidth 2 "$@" \
        -shave 1x1 -bordercolor "$frame" -border 1 \
        -alpha off -strip -define png:exclude-chunks=date,time \
        "PNG24:$folder/$file"
}

# Text at x,y (baseline) in the given size.
text() { printf '%s\n' -stroke none -fill "$note" -pointsize "$3" -draw "text $1,$2 '$4'"; }

picture() {
    local file=$1 w=$2 h=$3
    local -a t=()
    case $file in
    kwadrat.png)
        mapfile -t t < <(text 8 104 12 "4 равни страни"; text 8 122 12 "4 прави ъгъла";
                         text 8 142 12 "S = a·a"; text 84 47 12 "a"; text 38 88 12 "a")
        draw "$file" "$w" "$h" '#fff8e1' '#b08000' \
            -fill '#bbdefb' -stroke "$ink" -draw 'rectangle 10,10 74,74' \
            -fill none -strokewidth 1 \
            -draw 'polyline 10,20 20,20 20,10' -draw 'polyline 64,10 64,20 74,20' \
            -draw 'polyline 74,64 64,64 64,74' -draw 'polyline 20,74 20,64 10,64' \
            -strokewidth 2 \
            -draw 'line 42,5 42,15' -draw 'line 42,69 42,79' -draw 'line 5,42 15,42' -draw 'line 69,42 79,42' \
            "${t[@]}"
        ;;
    prawoygylnik.png)
        mapfile -t t < <(text 50 77 12 "a"; text 100 42 12 "b"; text 120 24 12 "a ≠ b";
                         text 120 44 12 "4 прави ъгъла"; text 120 64 12 "S = a·b";
                         text 10 104 12 "Срещуположните страни";
                         text 10 122 12 "са равни и успоредни.")
        draw "$file" "$w" "$h" '#e8f5e9' '#2e7d32' \
            -fill '#c8e6c9' -stroke "$ink" -draw 'rectangle 10,10 96,62' \
            -fill none -strokewidth 1 \
            -draw 'polyline 10,20 20,20 20,10' -draw 'polyline 86,10 86,20 96,20' \
            -draw 'polyline 96,52 86,52 86,62' -draw 'polyline 20,62 20,52 10,52' \
            "${t[@]}"
        ;;
    romb.png)
        mapfile -t t < <(text 108 24 12 "4 равни"; text 108 40 12 "страни"; text 108 62 12 "d₁ ⊥ d₂";
                         text 8 108 12 "Диагоналите се пресичат"; text 8 126 12 "под прав ъгъл и се"
                         text 8 144 12 "разполовяват.")
        draw "$file" "$w" "$h" '#f3e5f5' '#6a1b9a' \
            -fill '#e1bee7' -stroke "$ink" -draw 'polygon 52,6 98,44 52,82 6,44' \
            -fill none -strokewidth 1 -stroke '#6a1b9a' \
            -draw 'stroke-dasharray 4 3 line 52,6 52,82' -draw 'stroke-dasharray 4 3 line 6,44 98,44' \
            -draw 'polyline 52,36 60,36 60,44' \
            -stroke "$ink" -strokewidth 2 \
            -draw 'line 72,20 78,28' -draw 'line 72,68 78,60' -draw 'line 26,68 32,60' -draw 'line 26,20 32,28' \
            "${t[@]}"
        ;;
    trapec.png)
        mapfile -t t < <(text 50 87 12 "a"; text 50 25 12 "b"; text 31 52 12 "h";
                         text 112 30 12 "a ∥ b"; text 112 50 12 "бедрата";
                         text 112 66 12 "не са"; text 112 82 12 "успоредни"; text 8 108 12 "S = (a + b)·h / 2")
        draw "$file" "$w" "$h" '#fff3e0' '#e65100' \
            -fill '#ffe0b2' -stroke "$ink" -draw 'polygon 28,10 78,10 100,72 6,72' \
            -fill none -strokewidth 1 -stroke '#e65100' \
            -draw 'stroke-dasharray 4 3 line 28,10 28,72' -draw 'polyline 28,64 36,64 36,72' \
            -stroke "$ink" -strokewidth 2 \
            -draw 'polyline 50,6 55,10 50,14' -draw 'polyline 50,68 55,72 50,76' \
            "${t[@]}"
        ;;
    deltoid.png)
        mapfile -t t < <(text 4 100 11 "2 двойки равни"; text 4 115 11 "съседни страни")
        draw "$file" "$w" "$h" '#e0f7fa' '#00695c' \
            -fill '#b2ebf2' -stroke "$ink" -draw 'polygon 52,6 90,34 52,84 14,34' \
            -fill none -strokewidth 1 -stroke '#00695c' \
            -draw 'stroke-dasharray 4 3 line 52,6 52,84' -draw 'stroke-dasharray 4 3 line 14,34 90,34' \
            -stroke "$ink" -strokewidth 2 \
            -draw 'line 68,15 74,23' -draw 'line 30,23 36,15' \
            -draw 'line 67,56 75,60' -draw 'line 69,52 77,56' \
            -draw 'line 27,56 35,52' -draw 'line 29,60 37,56' \
            "${t[@]}"
        ;;
    rawnostranen.png)
        mapfile -t t < <(text 38 70 12 "60°")
        draw "$file" "$w" "$h" '#fffde7' '#f9a825' \
            -fill '#fff59d' -stroke "$ink" -draw 'polygon 50,6 94,80 6,80' \
            -draw 'line 23,39 33,45' -draw 'line 67,45 77,39' -draw 'line 50,75 50,85' \
            "${t[@]}"
        ;;
    prawoygylen.png)
        mapfile -t t < <(text 4 48 12 "a"; text 56 92 12 "b"; text 64 38 12 "c";
                         text 106 30 12 "a, b -"; text 106 46 12 "катети"; text 106 66 12 "c -";
                         text 106 82 11 "хипотенуза"; text 16 112 12 "c² = a² + b²")
        draw "$file" "$w" "$h" '#fce4ec' '#ad1457' \
            -fill '#f8bbd0' -stroke "$ink" -draw 'polygon 16,8 16,78 100,78' \
            -fill none -strokewidth 1 -draw 'polyline 16,68 26,68 26,78' \
            "${t[@]}"
        ;;
    okryzhnost.png)
        mapfile -t t < <(text 42 44 12 "O"; text 62 26 12 "r";
                         text 110 24 13 "Окръжност с център O"; text 110 44 13 "и радиус r: всяка нейна";
                         text 110 64 13 "точка е на разстояние r"; text 110 84 13 "от точката O.";
                         text 110 112 13 "C = 2·π·r";
                         text 40 222 12 "окръжност"; text 49 238 12 "(линия)";
                         text 206 222 12 "кръг"; text 168 238 12 "(с вътрешността)")
        draw "$file" "$w" "$h" '#e3f2fd' '#1565c0' \
            -fill none -stroke "$ink" -draw 'circle 48,46 48,8' \
            -strokewidth 1 -stroke '#c62828' -draw 'line 48,46 75,19' \
            -stroke none -fill '#c62828' -draw 'circle 48,46 48,49' \
            -stroke "$ink" -strokewidth 2 -fill none -draw 'circle 70,168 70,136' \
            -fill '#90caf9' -draw 'circle 220,168 220,136' \
            "${t[@]}"
        ;;
    *)
        echo "draw-pictures.sh: no drawing for $file (named in $kaz)" >&2
        return 1
        ;;
    esac
    echo "$file: ${w} x ${h} px"
}

count=0
while read -r file w h; do
    picture "$file" "$w" "$h"
    count=$((count + 1))
done < <(boxes)
[ "$count" -gt 0 ] || { echo "draw-pictures.sh: test.kaz names no pictures" >&2; exit 1; }
