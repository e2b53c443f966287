#!/usr/bin/env bash
# Builds every libFuzzer target with clang, replays the kept corpus of each
# (tests/data/fuzz/<target>/: the minimized result of the long campaigns,
# scripts/fuzz_campaign.sh) and then fuzzes each briefly, so that the
# targets keep compiling, no input found once comes back, and a quick
# crash shows up in CI.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
CC=clang CXX=clang++ scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKX_BUILD_FUZZ=ON \
  -DKX_BUILD_TESTS=OFF -DKX_BUILD_BENCH=OFF
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in build-fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  mkdir -p "$work/$name"
  kept=$PWD/tests/data/fuzz/$name
  [ -d "$kept" ] || kept=
  (cd "$work" && "$OLDPWD/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 "$work/$name" $kept \
    >"$work/$name.log" 2>&1) || { echo "$name failed:"; tail -30 "$work/$name.log"; exit 1; }
  echo "$name: $(grep -o 'Done [0-9]* runs' "$work/$name.log" || echo ran)"
done
