#!/usr/bin/env bash
# Generator figures of ours and qqwing's generator in one run.
#   bench/compare_generate.sh [BUILD_DIR] [COUNT]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
count=${2:-30}
"$build/bench/generator_bench" "$count"
echo
"$build/bench/generator_bench" "$count" --with-file
echo
echo "qqwing --generate $count (one process per difficulty)"
for difficulty in simple easy intermediate expert; do
  start=$(date +%s.%N)
  qqwing --generate "$count" --difficulty "$difficulty" >/dev/null
  end=$(date +%s.%N)
  printf '%-14s %10.1f puzzles/s\n' "$difficulty" "$(echo "$count / ($end - $start)" | bc -l)"
done
