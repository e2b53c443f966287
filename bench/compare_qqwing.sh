#!/usr/bin/env bash
# Solving side by side with qqwing, round after round in one run, medians of
# whole processes. Ours rates every puzzle and counts its solutions up to 2
# (kx-sudoku-cli solve --no-files); qqwing solves and counts them
# (--solve --count-solutions --nosolution). Goals: at most 1/5 of qqwing's
# time on the mixed set, at most 1/20 on the hard one. Ours uses every
# usable processor, qqwing one; the time of ours on one thread is shown too.
#   bench/compare_qqwing.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/side_by_side.sh
rounds=${2:-11}
against_qqwing "${1:-build}"

compare() {  # name file goal
  local name=$1 file=$2 goal=$3 n ours theirs single
  grep -v '^#' "$file" | grep -v '^$' >"$work/$name.txt"
  n=$(wc -l <"$work/$name.txt")
  { read -r ours; read -r theirs; read -r single; } < <(side_by_side "$rounds" "$work/$name.txt" "$work" \
    "$cli solve --no-files" "qqwing --solve --count-solutions --nosolution" "$cli solve --no-files --threads 1")
  printf '%-18s %5d puzzles  ours %7.1f ms  qqwing %7.1f ms  ours/qqwing %.3f  (goal %s)\n' "$name" "$n" \
    "$(echo "$ours * 1000" | bc -l)" "$(echo "$theirs * 1000" | bc -l)" "$(echo "$ours / $theirs" | bc -l)" "$goal"
  printf '%-18s %5s          ours on one thread %7.1f ms  ours/qqwing %.3f\n' "" "" \
    "$(echo "$single * 1000" | bc -l)" "$(echo "$single / $theirs" | bc -l)"
}

echo "kx-sudoku-cli solve --no-files vs qqwing --solve --count-solutions --nosolution; $rounds rounds, medians"
# (The game's own mix holds ambiguous puzzles, whose solutions qqwing
# would count to the end.)
shared=../shared/bench
[ -d "$shared" ] || { echo "$shared missing" >&2; exit 1; }
compare qqwing_mixed1000 "$shared/qqwing_mixed1000.txt" "<= 0.2"
compare hard200 "$shared/hard200.txt" "<= 0.05"
