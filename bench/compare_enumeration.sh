#!/usr/bin/env bash
# "Alle Lösungen ermitteln" side by side with qqwing counting the same
# solutions, round after round in one run, medians of whole processes:
# kx-sudoku-cli enumerate (every solution into SudokuAll.txt on disk, then
# the rewrite without repeats) against qqwing --solve --count-solutions.
# Goal: at most 1/10 of qqwing's time on the puzzle with about 5 x 10^5
# solutions. Then the search phase alone, in solution lines per second, and
# its memory, from bench/enumeration_bench.
#   bench/compare_enumeration.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/side_by_side.sh
rounds=${2:-5}
against_qqwing "${1:-build}"

shared=../shared/bench
puzzles=()
[ -d "$shared" ] && puzzles+=("$shared/enum_1e3.txt" "$shared/enum_1e5.txt")
puzzles+=(bench/data/enum_5e5.txt)
[ -d "$shared" ] && puzzles+=("$shared/enum_1e6.txt")

echo "kx-sudoku-cli enumerate (search and rewrite) vs qqwing --solve --count-solutions; $rounds rounds, medians"
for file in "${puzzles[@]}"; do
  name=$(basename "$file" .txt)
  solutions=$(grep -v '^#' "$file" | "$cli" count)
  { read -r ours; read -r theirs; } < <(side_by_side "$rounds" "$file" "$work" \
    "rm -f SudokuAll.txt && $cli enumerate" "qqwing --solve --count-solutions --nosolution")
  printf '%-10s %9d solutions  ours %8.3f s  qqwing %8.3f s  ours/qqwing %.3f%s\n' "$name" "$solutions" \
    "$ours" "$theirs" "$(echo "$ours / $theirs" | bc -l)" "$([ "$name" = enum_5e5 ] && echo '  (goal <= 0.100)')"
done
echo
echo "search phase alone (goal: at least 1,000,000 lines/s written to the log; memory flat)"
"$build/bench/enumeration_bench" "${puzzles[@]}"
