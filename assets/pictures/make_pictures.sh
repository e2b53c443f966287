#!/bin/sh
# Makes the 36 built-in digit pictures KXSyx.jpg (set y 0..3, digit x 1..9):
# 384 x 384 baseline JFIF, readable at 40 x 40 pixels.
#   set 0: bold coloured numerals      set 1: dice-like dot patterns
#   set 2: counted triangles           set 3: roman numerals on tiles
# Needs ImageMagick (convert) and cjpeg. Run from any directory.
set -eu
cd "$(dirname "$0")"
font=DejaVu-Sans-Bold
colours="#d01010 #10a020 #1030d0 #c08000 #a010a0 #008080 #e05020 #406000 #602080"
roman="I II III IV V VI VII VIII IX"

colour() { echo "$colours" | cut -d' ' -f"$1"; }

# Centres of n marks on a 3 x 3 grid, dice style.
spots() {
  case "$1" in
    1) echo "2,2" ;; 2) echo "1,1 3,3" ;; 3) echo "1,1 2,2 3,3" ;;
    4) echo "1,1 3,1 1,3 3,3" ;; 5) echo "1,1 3,1 2,2 1,3 3,3" ;;
    6) echo "1,1 3,1 1,2 3,2 1,3 3,3" ;; 7) echo "1,1 3,1 1,2 2,2 3,2 1,3 3,3" ;;
    8) echo "1,1 2,1 3,1 1,2 3,2 1,3 2,3 3,3" ;; 9) echo "1,1 2,1 3,1 1,2 2,2 3,2 1,3 2,3 3,3" ;;
  esac
}

jpeg() { convert "$@" ppm:- | cjpeg -quality 85 -baseline -optimize > "$out"; }

for d in 1 2 3 4 5 6 7 8 9; do
  c=$(colour "$d")
  out=KXS0$d.jpg
  size=384x384
  [ "$d" = 3 ] && size=384x382   # two rows short: readers must not assume squares
  jpeg -size "$size" xc:'#fff8e0' -fill "$c" -stroke black -strokewidth 6 -font "$font" \
    -pointsize 330 -gravity center -annotate +0+8 "$d"

  draw=""
  for s in $(spots "$d"); do
    x=$(( (${s%,*} - 1) * 110 + 82 )); y=$(( (${s#*,} - 1) * 110 + 82 ))
    draw="$draw circle $x,$y $((x + 40)),$y"
  done
  out=KXS1$d.jpg
  jpeg -size 384x384 xc:white -fill black -draw "roundrectangle 6,6 377,377 40,40" \
    -fill white -draw "roundrectangle 16,16 367,367 34,34" -fill "$c" -draw "$draw"

  draw=""
  for s in $(spots "$d"); do
    x=$(( (${s%,*} - 1) * 116 + 76 )); y=$(( (${s#*,} - 1) * 116 + 76 ))
    draw="$draw polygon $x,$((y - 50)) $((x - 52)),$((y + 44)) $((x + 52)),$((y + 44))"
  done
  out=KXS2$d.jpg
  jpeg -size 384x384 gradient:'#e0f0ff'-'#80b0e0' -fill "$c" -stroke black -strokewidth 5 -draw "$draw"

  out=KXS3$d.jpg
  r=$(echo "$roman" | cut -d' ' -f"$d")
  jpeg -size 384x384 xc:"$c" -fill '#f4ecd0' -draw "rectangle 24,24 359,359" -fill black \
    -font DejaVu-Serif-Bold -pointsize $(( ${#r} > 2 ? 130 - ${#r} * 4 : 200 )) -gravity center -annotate +0+0 "$r"
done
