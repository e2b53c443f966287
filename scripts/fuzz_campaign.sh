#!/usr/bin/env bash
# A long fuzzing campaign: every libFuzzer target (or the ones named) runs
# SECONDS (default 1800) under nice, two at a time, seeded with the
# program's own files, the test data and the kept corpus. Afterwards each
# target's corpus is minimized into tests/data/fuzz/<target>/, which
# scripts/fuzz_smoke.sh replays. A crash stops that target; its input is
# left in the work folder and named at the end.
#   scripts/fuzz_campaign.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-1800}
shift || true
CC=clang CXX=clang++ scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKX_BUILD_FUZZ=ON \
  -DKX_BUILD_TESTS=OFF -DKX_BUILD_BENCH=OFF
work=${KX_FUZZ_WORK:-$root/build-fuzz/campaign}
mkdir -p "$work"
cli=$root/build-fuzz/src/cli/kx-sudoku-cli
kept=$root/tests/data/fuzz

# A copy of each file with one byte in front of it (the targets that read
# their options from the first byte).
prefixed() {
  local byte=$1 to=$2
  shift 2
  for f in "$@"; do printf "\\x$byte" | cat - "$f" >"$to/$byte-$(basename "$f")"; done
}

seed() {
  local name=$1 to=$2 scratch
  scratch=$(mktemp -d)
  mkdir -p "$to"
  case $name in
    fuzz_jpeg)
      cp tests/data/pictures/*.jpg tests/data/symbols/*.jpg assets/pictures/KXS1*.jpg "$to"/ ;;
    fuzz_bmp)
      cp tests/data/pictures/*.bmp "$to"/
      "$cli" jpeg2bmp tests/data/pictures/s420.jpg "$to/written.bmp" ;;
    fuzz_digit_picture)
      "$cli" jpeg2bmp assets/pictures/KXS11.jpg "$scratch/KXS11.bmp"
      prefixed 01 "$to" tests/data/pictures/*.bmp "$scratch/KXS11.bmp"
      prefixed 00 "$to" tests/data/pictures/s4*.jpg assets/pictures/KXS1[1-3].jpg ;;
    fuzz_help_compiler)
      # The whole help, and its first page alone (small inputs mutate faster).
      head -n 20 assets/REZodaruHlp.TXT >"$scratch/first_page.txt"
      prefixed 00 "$to" assets/REZodaruHlp.TXT "$scratch/first_page.txt"
      prefixed 01 "$to" assets/REZodaruHlp.TXT ;;
    fuzz_help_file)
      head -n 20 assets/REZodaruHlp.TXT >"$scratch/first_page.txt"
      "$cli" compile-help "$scratch/first_page.txt" "$to/first_page.kxh"
      cp build-fuzz/src/help/REZodaru.KXH "$to"/ ;;
    fuzz_solution_file)
      # The built-in puzzle, and the same without its first row.
      (cd "$scratch" && printf '%s\n' \
        '6..95.4121.9.7.65.42563...8.1458.92..6..948355983...4693.865.74..62493.1.....3..9' \
        '.........1.9.7.65.42563...8.1458.92..6..948355983...4693.865.74..62493.1.....3..9' |
        "$cli" enumerate >/dev/null && cp SudokuAll.txt rewritten.txt)
      prefixed 07 "$to" "$scratch/rewritten.txt"
      prefixed 00 "$to" "$scratch/rewritten.txt" ;;
    fuzz_state_file | fuzz_events)
      # The game's own files: a first start's state file, and what the
      # random-play tool writes when it is built.
      mkdir -p "$scratch/home"
      KX_SUDOKU_HOME=$scratch/home QT_QPA_PLATFORM=offscreen "$root/build-fuzz/src/app/kx-sudoku" &
      local game=$!
      sleep 3
      kill -TERM "$game" || true
      wait "$game" || true
      if [ "$name" = fuzz_state_file ]; then
        [ -f "$scratch/home/REZodaru.ini" ] && cp "$scratch/home/REZodaru.ini" "$to/first-start.ini"
      fi
      if [ -x build/tests/kx_monkey ]; then
        if [ "$name" = fuzz_state_file ]; then
          build/tests/kx_monkey --seed 1 --seeds 4 --events 3000 --write-states "$to" >/dev/null
        else
          build/tests/kx_monkey --seed 1 --seeds 20 --events 150 --write-streams "$to" >/dev/null
        fi
      fi ;;
  esac
  [ -d "$kept/$name" ] && cp "$kept/$name"/* "$to"/ 2>/dev/null || true
  rm -rf "$scratch"
}

run() {
  local name=$1 dir=$work/$1
  rm -rf "$dir"
  mkdir -p "$dir/corpus" "$dir/seeds" "$dir/run"
  seed "$name" "$dir/seeds"
  (cd "$dir/run" && nice -n 19 "$root/build-fuzz/fuzz/$name" -max_total_time="$seconds" -timeout=120 \
    -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 -artifact_prefix="$dir/" \
    "$dir/corpus" "$dir/seeds" >"$dir/log" 2>&1) || true
  # The smallest corpus with the same coverage replaces the kept one; inputs
  # are cut to 16 KiB there, so that the repository stays small, and event
  # streams to 200 bytes (some 50 events), so that CI replays them quickly.
  local keep=16384
  [ "$name" = fuzz_events ] && keep=200
  rm -rf "$dir/minimized"
  mkdir -p "$dir/minimized"
  (cd "$dir/run" && nice -n 19 "$root/build-fuzz/fuzz/$name" -merge=1 -max_len=$keep "$dir/minimized" \
    "$dir/corpus" "$dir/seeds" >"$dir/merge.log" 2>&1) || true
  if [ -n "$(ls "$dir/minimized")" ]; then
    rm -rf "${kept:?}/$name"
    mkdir -p "$kept/$name"
    cp "$dir/minimized"/* "$kept/$name"/
  fi
}

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for t in build-fuzz/fuzz/fuzz_*; do [ -x "$t" ] && targets+=("$(basename "$t")"); done
fi
running=0
for name in "${targets[@]}"; do
  if [ "$running" -ge 2 ]; then
    wait -n || true
    running=$((running - 1))
  fi
  run "$name" &
  running=$((running + 1))
done
wait || true

for name in "${targets[@]}"; do
  log=$work/$name/log
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  time=$(grep -o 'Done [0-9]* runs in [0-9]* second' "$log" | grep -o 'in [0-9]*' | grep -o '[0-9]*' || echo '?')
  crash=$(ls "$work/$name" | grep -E '^(crash|leak|timeout|oom)-' || true)
  echo "$name: $runs runs in ${time}s, corpus $(ls "$kept/$name" 2>/dev/null | wc -l) files, ${crash:-no finding}"
done
