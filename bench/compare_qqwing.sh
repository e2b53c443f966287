#!/usr/bin/env bash
# Solver throughput side by side with qqwing, interleaved in one run so that
# machine noise hits both alike. Prints puzzles/s (median of the rounds) and
# the ratio ours / qqwing.
#   bench/compare_qqwing.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
rounds=${2:-7}
cli=$build/src/cli/kx-sudoku-cli
command -v qqwing >/dev/null || { echo "qqwing missing: run scripts/setup.sh" >&2; exit 1; }
[ -x "$cli" ] || { echo "$cli missing: build first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

seconds() {  # median wall time of a command over $rounds runs, input on stdin file $1
  local input=$1; shift
  for _ in $(seq "$rounds"); do
    local start end
    start=$(date +%s.%N)
    (cd "$work" && "$@" <"$input" >/dev/null)
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
  done | sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'
}

compare() {  # name file qqwing-args...
  local name=$1 file=$2; shift 2
  local input=$work/$name.txt
  grep -v '^#' "$file" | grep -v '^$' >"$input"
  local n ours_nofile ours_file theirs
  n=$(wc -l <"$input")
  ours_nofile=$(seconds "$input" "$PWD/$cli" solve --no-files)
  ours_file=$(seconds "$input" "$PWD/$cli" solve)
  theirs=$(seconds "$input" qqwing "$@")
  printf '%-22s %6d puzzles  ours %9.0f/s  ours+file %9.0f/s  qqwing %9.0f/s  ratio %5.2f  (with file %5.2f)\n' \
    "$name" "$n" "$(echo "$n / $ours_nofile" | bc -l)" "$(echo "$n / $ours_file" | bc -l)" \
    "$(echo "$n / $theirs" | bc -l)" "$(echo "$theirs / $ours_nofile" | bc -l)" "$(echo "$theirs / $ours_file" | bc -l)"
}

echo "solve (ours: rating + uniqueness, max 2) vs qqwing --solve; $rounds rounds, medians"
compare solve_mix bench/data/solve_mix.txt --solve
shared=../shared/bench
if [ -d "$shared" ]; then
  compare qqwing_mixed1000 "$shared/qqwing_mixed1000.txt" --solve
  compare hard200 "$shared/hard200.txt" --solve
  echo "uniqueness: ours vs qqwing --solve --count-solutions (unique puzzles only)"
  compare qqwing_mixed1000_count "$shared/qqwing_mixed1000.txt" --solve --count-solutions
  compare hard200_count "$shared/hard200.txt" --solve --count-solutions
fi
