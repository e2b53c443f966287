#!/usr/bin/env bash
# JPEG decoding side by side with djpeg -dct int -nosmooth (libjpeg-turbo) on
# four 4000 x 3000 photo-like files made here (baseline 4:2:0 and 4:4:4 at
# quality 90, progressive 4:2:0, greyscale), interleaved in one run so that
# machine noise hits all alike. djpeg runs twice: writing PPM and writing
# BMP as we do. Prints megapixels per second (median of the rounds, whole
# process including the output file), the ratio of our time to djpeg's in
# each mode, the accuracy against djpeg's output, and the in-process
# benchmarks. With BASELINE_CLI set, that build of kx-sudoku-cli is timed in
# the same rounds too (before/after figures).
#   bench/compare_djpeg.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/side_by_side.sh
build=${1:-build}
rounds=${2:-7}
cli=$PWD/$build/src/cli/kx-sudoku-cli
bench=$PWD/$build/bench/picture_bench
baseline=${BASELINE_CLI:+$(realpath "$BASELINE_CLI")}
for tool in djpeg cjpeg convert bc; do
  command -v "$tool" >/dev/null || { echo "$tool missing: run scripts/setup.sh" >&2; exit 1; }
done
[ -x "$cli" ] && [ -x "$bench" ] || { echo "build $build first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Smooth shapes with fine grain, like a photograph, in 8-bit samples.
convert -seed 11 -size 1000x750 plasma:fractal -blur 0x2 -resize 4000x3000\! \
  -attenuate 0.3 +noise Gaussian -depth 8 "$work/photo.ppm"
cjpeg -quality 90 -sample 2x2,1x1,1x1 -outfile "$work/b420.jpg" "$work/photo.ppm"
cjpeg -quality 90 -sample 1x1,1x1,1x1 -outfile "$work/b444.jpg" "$work/photo.ppm"
cjpeg -quality 90 -progressive -sample 2x2,1x1,1x1 -outfile "$work/bprog.jpg" "$work/photo.ppm"
cjpeg -quality 90 -grayscale -outfile "$work/grey.jpg" "$work/photo.ppm"
rm "$work/photo.ppm"

megapixels=12
mps() { echo "$megapixels / $1" | bc -l; }
printf '%-20s %9s %9s %9s %9s %9s   %s\n' file "ours MP/s" "ppm MP/s" "bmp MP/s" "ours/ppm" "ours/bmp" \
  "accuracy vs djpeg${baseline:+ / baseline MP/s, ours/baseline}"
for name in b420 b444 bprog grey; do
  commands=("'$cli' jpeg2bmp '$work/$name.jpg' '$work/ours.bmp'"
    "djpeg -dct int -nosmooth -outfile '$work/ref.pnm' '$work/$name.jpg'"
    "djpeg -dct int -nosmooth -bmp -outfile '$work/ref.bmp' '$work/$name.jpg'")
  [ -n "$baseline" ] && commands+=("'$baseline' jpeg2bmp '$work/$name.jpg' '$work/base.bmp'")
  mapfile -t t < <(side_by_side "$rounds" /dev/null "$work" "${commands[@]}")
  accuracy=$("$bench" --compare "$work/ours.bmp" "$work/ref.pnm")
  if [ -n "$baseline" ]; then
    cmp -s "$work/ours.bmp" "$work/base.bmp" || accuracy="$accuracy, OUTPUT DIFFERS FROM BASELINE"
    accuracy=$(printf '%s / %.1f, %.2f' "$accuracy" "$(mps "${t[3]}")" "$(echo "${t[0]} / ${t[3]}" | bc -l)")
  fi
  printf '%-20s %9.1f %9.1f %9.1f %9.2f %9.2f   %s\n' "$name.jpg ($(du -k "$work/$name.jpg" | cut -f1) KB)" \
    "$(mps "${t[0]}")" "$(mps "${t[1]}")" "$(mps "${t[2]}")" \
    "$(echo "${t[0]} / ${t[1]}" | bc -l)" "$(echo "${t[0]} / ${t[2]}" | bc -l)" "$accuracy"
done

echo
KX_PICTURE_BENCH_DIR=$work "$bench" --benchmark_min_time=1
