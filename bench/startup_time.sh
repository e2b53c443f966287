#!/usr/bin/env bash
# Start-up to the first painted frame, offscreen, over several runs.
#   bench/startup_time.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-7}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
for _ in $(seq "$runs"); do
  QT_QPA_PLATFORM=offscreen KX_SUDOKU_HOME="$home" XDG_DATA_HOME="$home/xdg" KX_SUDOKU_STARTUP_PROBE=1 \
    "$build/src/app/kx-sudoku" 2>/dev/null | sed -n 's/first frame after \([0-9]*\) ms/\1/p'
done | sort -n | awk '{a[NR]=$1} END{printf "start-up to first frame: median %d ms (min %d, max %d, %d runs)\n", a[int((NR+1)/2)], a[1], a[NR], NR}'
