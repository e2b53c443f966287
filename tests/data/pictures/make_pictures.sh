#!/usr/bin/env bash
# Regenerates the JPEG test pictures and their reference decodings with
# Debian's libjpeg-turbo-progs and imagemagick. The references are what
# `djpeg -dct int -nosmooth` makes of each file.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A photo-like source with odd dimensions, so that partial MCUs occur.
convert -seed 7 -size 61x45 plasma:red-blue -blur 0x1 "$work/src.ppm"
convert "$work/src.ppm" -colorspace Gray "$work/grey.pgm"

enc() {  # name cjpeg-options... (from the colour source)
  local name=$1; shift
  cjpeg "$@" -outfile "$name.jpg" "$work/src.ppm"
}
enc s444 -quality 90 -sample 1x1,1x1,1x1
enc s422 -quality 90 -sample 2x1,1x1,1x1
enc s420 -quality 85 -sample 2x2,1x1,1x1
enc s440 -quality 90 -sample 1x2,1x1,1x1
enc s411 -quality 90 -sample 4x1,1x1,1x1
enc s31 -quality 90 -sample 3x1,1x1,1x1
enc s2221 -quality 90 -sample 2x2,2x1,1x1
enc s42 -quality 75 -sample 4x2,1x1,1x1
enc optimized -quality 95 -optimize -sample 2x1,1x1,1x1
enc restart -quality 90 -restart 3B -sample 2x2,1x1,1x1
enc progressive -quality 90 -progressive -sample 2x2,1x1,1x1
enc progressive_restart -quality 80 -progressive -restart 1 -sample 1x1,1x1,1x1
enc arithmetic -quality 90 -arithmetic
cjpeg -quality 90 -grayscale -outfile grey.jpg "$work/grey.pgm"
cjpeg -quality 90 -grayscale -progressive -outfile grey_progressive.jpg "$work/grey.pgm"
# One scan per component: the tests splice in a fourth component.
printf '0;\n1;\n2;\n' >"$work/scans.txt"
enc separate_scans -quality 90 -scans "$work/scans.txt" -sample 2x1,1x1,1x1

for f in separate_scans s444 s422 s420 s440 s411 s31 s2221 s42 optimized restart progressive progressive_restart; do
  djpeg -dct int -nosmooth -outfile "$f.ppm" "$f.jpg"
done
djpeg -dct int -nosmooth -outfile grey.pgm grey.jpg
djpeg -dct int -nosmooth -outfile grey_progressive.pgm grey_progressive.jpg

# BMP sources for the reader: the same small picture at several depths
# (32-bit, 16-bit and 4-bit run-length files are built by the tests).
convert "$work/src.ppm" -resize 13x9\! small.ppm
convert small.ppm -type TrueColor BMP3:rgb24.bmp
convert small.ppm -colors 200 -type Palette -compress None BMP3:pal8.bmp
convert small.ppm -colors 200 -type Palette -compress RLE BMP3:rle8.bmp
convert small.ppm -colors 12 -type Palette -compress None BMP3:pal4.bmp
convert small.ppm -monochrome -compress None BMP3:mono1.bmp
for f in rgb24 pal8 rle8 pal4 mono1; do convert "$f.bmp" -depth 8 "$f.ppm"; done
