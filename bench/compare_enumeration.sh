#!/usr/bin/env bash
# "Alle Lösungen ermitteln" side by side with qqwing counting the same
# solutions, round after round in one run, medians of whole processes:
# kx-sudoku-cli enumerate (every solution into SudokuAll.txt on disk, then
# the rewrite without repeats) against qqwing --solve --count-solutions.
# Goal: at most 1/10 of qqwing's time on the puzzle with about 5 x 10^5
# solutions. Then the search phase alone, in solution lines per second, and
# its memory, from bench/enumeration_bench. With BASELINE_BUILD, an earlier
# build runs in the same rounds, so that a change is measured side by side.
#   bench/compare_enumeration.sh [BUILD_DIR] [ROUNDS] [BASELINE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/side_by_side.sh
rounds=${2:-5}
against_qqwing "${1:-build}"
baseline=${3:+$(realpath "$3")}

shared=../shared/bench
puzzles=()
[ -d "$shared" ] && puzzles+=("$shared/enum_1e3.txt" "$shared/enum_1e5.txt")
puzzles+=(bench/data/enum_5e5.txt)
[ -d "$shared" ] && puzzles+=("$shared/enum_1e6.txt")

echo "kx-sudoku-cli enumerate (search and rewrite) vs qqwing --solve --count-solutions; $rounds rounds, medians"
for file in "${puzzles[@]}"; do
  name=$(basename "$file" .txt)
  solutions=$(grep -v '^#' "$file" | "$cli" count)
  commands=("rm -f SudokuAll.txt && $cli enumerate" "qqwing --solve --count-solutions --nosolution")
  [ -n "$baseline" ] && commands+=("rm -f SudokuAll.txt && $baseline/src/cli/kx-sudoku-cli enumerate")
  { read -r ours; read -r theirs; read -r before || true; } < <(side_by_side "$rounds" "$file" "$work" "${commands[@]}")
  printf '%-10s %9d solutions  ours %8.3f s  qqwing %8.3f s  ours/qqwing %.3f%s' "$name" "$solutions" \
    "$ours" "$theirs" "$(echo "$ours / $theirs" | bc -l)" "$([ "$name" = enum_5e5 ] && echo '  (goal <= 0.100)')"
  [ -n "$baseline" ] && printf '  baseline %8.3f s  baseline/qqwing %.3f' "$before" "$(echo "$before / $theirs" | bc -l)"
  echo
done
echo
echo "search phase alone (goal: at least 2,500,000 lines/s written to the log; memory flat)"
if [ -z "$baseline" ]; then
  "$build/bench/enumeration_bench" "${puzzles[@]}"
  exit 0
fi
# Both benches in turn, round after round; medians per puzzle.
for ((i = 0; i < rounds; i++)); do
  "$build/bench/enumeration_bench" "${puzzles[@]}" | tail -n +2 | sed 's/^/ours /'
  "$baseline/bench/enumeration_bench" "${puzzles[@]}" | tail -n +2 | sed 's/^/baseline /'
done | awk '
  function median(list,   n, v, i, j, t) {
    n = split(list, v, " ")
    for (i = 2; i <= n; i++) for (j = i; j > 1 && v[j] + 0 < v[j - 1] + 0; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
    return v[int((n + 1) / 2)]
  }
  { key = $2 " " $1; wall[key] = wall[key] " " $5; cpu[key] = cpu[key] " " $6; mem[key] = mem[key] " " $7; names[$2] = 1 }
  END {
    printf "%-16s %-9s %12s %12s %11s   (medians)\n", "puzzle", "build", "lines/s", "cpu lines/s", "memory KiB"
    for (p in names) for (b = 0; b < 2; b++) {
      who = b == 0 ? "baseline" : "ours"; key = p " " who
      printf "%-16s %-9s %12.0f %12.0f %11.0f\n", p, who, median(wall[key]), median(cpu[key]), median(mem[key])
    }
  }'
