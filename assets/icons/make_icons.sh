#!/usr/bin/env bash
# Renders the icon's PNG sizes from its SVG drawings with rsvg-convert
# (librsvg2-bin). The PNGs are kept in the repository, so building needs no
# SVG renderer; run this again after changing a drawing.
set -euo pipefail
cd "$(dirname "$0")"
rsvg-convert -w 16 -h 16 kx-sudoku-16.svg -o kx-sudoku-16.png
for size in 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" kx-sudoku.svg -o "kx-sudoku-$size.png"
done
