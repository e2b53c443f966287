#!/usr/bin/env bash
# JPEG decoding side by side with djpeg -dct int -nosmooth (libjpeg-turbo) on
# three 4000 x 3000 photo-like files made here (baseline 4:2:0 and 4:4:4 at
# quality 90, progressive 4:2:0), interleaved in one run so that machine
# noise hits both alike. Prints megapixels per second (median of the rounds,
# whole process including the output file), the ratio ours / djpeg, the
# accuracy against djpeg's output, and the in-process benchmarks.
#   bench/compare_djpeg.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
rounds=${2:-7}
cli=$PWD/$build/src/cli/kx-sudoku-cli
bench=$PWD/$build/bench/picture_bench
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
rm "$work/photo.ppm"

seconds() {  # wall time of one run of a command
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}
median() { sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'; }

megapixels=12
printf '%-22s %12s %12s %8s   %s\n' file "ours MP/s" "djpeg MP/s" ratio "accuracy vs djpeg"
for name in b420 b444 bprog; do
  ours=() theirs=()
  for _ in $(seq "$rounds"); do
    ours+=("$(seconds "$cli" jpeg2bmp "$work/$name.jpg" "$work/ours.bmp")")
    theirs+=("$(seconds djpeg -dct int -nosmooth -outfile "$work/ref.ppm" "$work/$name.jpg")")
  done
  o=$(printf '%s\n' "${ours[@]}" | median)
  t=$(printf '%s\n' "${theirs[@]}" | median)
  accuracy=$("$bench" --compare "$work/ours.bmp" "$work/ref.ppm")
  printf '%-22s %12.1f %12.1f %8.2f   %s\n' "$name.jpg ($(du -k "$work/$name.jpg" | cut -f1) KB)" \
    "$(echo "$megapixels / $o" | bc -l)" "$(echo "$megapixels / $t" | bc -l)" "$(echo "$t / $o" | bc -l)" "$accuracy"
done

echo
KX_PICTURE_BENCH_DIR=$work "$bench" --benchmark_min_time=1
