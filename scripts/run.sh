#!/usr/bin/env bash
# Sets up a fresh machine, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release -DKX_BUILD_TESTS=OFF -DKX_BUILD_BENCH=OFF
# Until the game window exists: rate and solve the built-in puzzle.
printf '%s\n' '6  95 4121 9 7 65 42563   8 1458 92  6  948355983   4693 865 74  62493 1     3  9' |
  build/src/cli/kx-sudoku-cli solve --no-files
