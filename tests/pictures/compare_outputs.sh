#!/usr/bin/env bash
# Byte-for-byte comparison of `jpeg2bmp` and `bmp2bmp` between two builds of
# the command-line tool: the output file, the error text and the exit code
# must all agree. Inputs: every picture under tests/data and assets, the
# kept fuzz corpora, JPEG files made here in many sizes and samplings, and
# seeded damaged copies of those. Extra files or folders may be added.
#   tests/pictures/compare_outputs.sh REFERENCE_CLI NEW_CLI [FILE|DIR]...
# KX_COMPARE_MUTANTS sets the damaged copies per made file (default 12).
# KX_REFERENCE_CPU=plain runs the reference with KX_CPU=plain: given the
# same build twice, that compares the vector paths with the plain ones.
set -euo pipefail
cd "$(dirname "$0")/../.."
ref=$(realpath "$1")
new=$(realpath "$2")
shift 2
mutants=${KX_COMPARE_MUTANTS:-12}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Made files: odd and even sizes so that partial MCUs occur (the largest one
# is written on a helper thread), every sampling
# the decoder has a special case for, both frame kinds, restart markers.
mkdir "$work/made"
for size in 1x1 7x5 16x16 61x45 130x67 257x129 1201x901; do
  convert -seed 3 -size "$size" plasma:fractal -depth 8 "$work/src.ppm"
  convert "$work/src.ppm" -colorspace Gray "$work/src.pgm"
  n=0
  for options in "-quality 90 -sample 2x2,1x1,1x1" "-quality 100 -sample 1x1,1x1,1x1" \
    "-quality 40 -sample 2x1,1x1,1x1" "-quality 75 -sample 1x2,1x1,1x1" "-quality 90 -sample 4x1,1x1,1x1" \
    "-quality 90 -sample 3x2,1x1,1x1" "-quality 90 -sample 2x2,2x1,1x1" "-quality 95 -optimize -sample 4x2,1x1,1x1" \
    "-quality 90 -restart 1 -sample 2x2,1x1,1x1" "-quality 90 -progressive -sample 2x2,1x1,1x1" \
    "-quality 60 -progressive -restart 2 -sample 1x1,1x1,1x1" "-quality 10 -sample 2x2,1x1,1x1"; do
    # shellcheck disable=SC2086
    cjpeg $options -outfile "$work/made/${size}_$n.jpg" "$work/src.ppm"
    n=$((n + 1))
  done
  cjpeg -quality 90 -grayscale -outfile "$work/made/${size}_grey.jpg" "$work/src.pgm"
  cjpeg -quality 85 -grayscale -progressive -outfile "$work/made/${size}_greyprog.jpg" "$work/src.pgm"
  convert "$work/src.ppm" -type TrueColor "BMP3:$work/made/${size}_24.bmp"
  convert "$work/src.ppm" -colors 200 -type Palette "BMP3:$work/made/${size}_8.bmp"
  convert "$work/src.ppm" -colors 12 -type Palette "BMP3:$work/made/${size}_4.bmp"
done

# Damaged copies: bytes overwritten, cut short, runs removed.
mkdir "$work/damaged"
python3 - "$work/made" "$work/damaged" "$mutants" tests/data/pictures <<'EOF'
import os, random, sys
made, out, count, extra = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
sources = [os.path.join(made, f) for f in sorted(os.listdir(made))]
sources += [os.path.join(extra, f) for f in sorted(os.listdir(extra)) if f.endswith(('.jpg', '.bmp'))]
rng = random.Random(25)
for path in sources:
    data = open(path, 'rb').read()
    base = os.path.basename(path)
    for i in range(count):
        b = bytearray(data)
        kind = i % 4
        if kind == 0:
            for _ in range(rng.randint(1, 8)):
                b[rng.randrange(len(b))] = rng.randrange(256)
        elif kind == 1:
            b = b[:rng.randrange(len(b))]
        elif kind == 2:
            at = rng.randrange(len(b))
            del b[at:at + rng.randint(1, 64)]
        else:
            # damage inside the entropy-coded data, away from the headers
            lo = len(b) // 2
            for _ in range(rng.randint(1, 3)):
                b[rng.randrange(lo, len(b))] = rng.randrange(256)
        open(os.path.join(out, f'{base}.{i}'), 'wb').write(bytes(b))
EOF

inputs=(tests/data/pictures assets/pictures tests/data/fuzz/fuzz_jpeg tests/data/fuzz/fuzz_bmp
  tests/data/fuzz/fuzz_digit_picture "$work/made" "$work/damaged" "$@")
files=0 differ=0
run() {  # cli command input output-prefix: exit code, error text, output bytes
  local code=0
  "$1" "$2" "$3" "$4.bmp" 2>"$4.err" >/dev/null || code=$?
  echo "$code" >"$4.code"
}
while IFS= read -r -d '' file; do
  for command in jpeg2bmp bmp2bmp; do
    KX_CPU=${KX_REFERENCE_CPU:-${KX_CPU:-}} run "$ref" "$command" "$file" "$work/ref"
    run "$new" "$command" "$file" "$work/new"
    same=1
    cmp -s "$work/ref.code" "$work/new.code" && cmp -s "$work/ref.err" "$work/new.err" || same=0
    if [ -e "$work/ref.bmp" ] || [ -e "$work/new.bmp" ]; then
      cmp -s "$work/ref.bmp" "$work/new.bmp" || same=0
    fi
    if [ "$same" = 0 ]; then
      differ=$((differ + 1))
      echo "DIFFERS: $command $file (exit $(cat "$work/ref.code") vs $(cat "$work/new.code"))"
    fi
    rm -f "$work/ref.bmp" "$work/new.bmp"
  done
  files=$((files + 1))
done < <(find "${inputs[@]}" -type f -print0 | sort -z)
echo "$files files, 2 commands each: $differ differences"
[ "$differ" = 0 ]
