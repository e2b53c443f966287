#!/usr/bin/env bash
# Removing repeats from a solution log: kx-sudoku-cli dedup against
# LC_ALL=C sort -u on the same records as plain 81-character lines, side by
# side in one run. Usage: bench/compare_dedup.sh [BUILD_DIR] [LINES] [REPEAT_PERCENT]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
lines=${2:-2000000}
repeats=${3:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/make_solution_log" "$lines" "$repeats" "$work/SudokuAll.txt" "$work/records.txt"
echo "lines: $lines, repeats: ${repeats} %, log: $(stat -c %s "$work/SudokuAll.txt") bytes," \
  "records file: $(stat -c %s "$work/records.txt") bytes"

# Seconds and peak resident kilobytes of one command.
measure() {
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" >"$work/out" 2>&1
  cat "$work/time"
}
cli=$(realpath "$build/src/cli/kx-sudoku-cli")
cp "$work/SudokuAll.txt" "$work/split.txt"
read -r kx_s kx_kb < <(cd "$work" && measure "$cli" dedup SudokuAll.txt)
kx_numbers=$(cat "$work/out")
# The same with 1 MB of records in memory: every bucket is split.
read -r split_s split_kb < <(cd "$work" && measure "$cli" dedup split.txt --memory 1000000)
split_numbers=$(cat "$work/out")
read -r sort_s sort_kb < <(LC_ALL=C measure sort -u "$work/records.txt" -o "$work/sorted.txt")
unique=$(wc -l <"$work/sorted.txt")

echo "kx-sudoku-cli dedup : ${kx_s} s, peak ${kx_kb} KB, written/distributed/duplicates/error: $kx_numbers"
echo "dedup --memory 1MB  : ${split_s} s, peak ${split_kb} KB, written/distributed/duplicates/error: $split_numbers"
echo "LC_ALL=C sort -u    : ${sort_s} s, peak ${sort_kb} KB, unique lines: $unique"
echo "ratio sort -u / dedup: $(echo "scale=2; $sort_s / $kx_s" | bc)"
# Both must agree on the records (the log's puzzle line is one more record).
cmp -s "$work/SudokuAll.txt" "$work/split.txt" || { echo "MISMATCH between in-memory and split rewrite"; exit 1; }
written=$(echo "$kx_numbers" | cut -d' ' -f1)
[ "$written" -eq "$unique" ] || { echo "MISMATCH: $written written, $unique unique"; exit 1; }
cut -c21-101 "$work/SudokuAll.txt" | tr -d '\r' | grep -v ' ' | cmp -s - "$work/sorted.txt" \
  && echo "outputs agree: the same records in the same order" || { echo "MISMATCH in order or content"; exit 1; }
