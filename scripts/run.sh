#!/usr/bin/env bash
# Sets up a fresh machine, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release -DKX_BUILD_TESTS=OFF -DKX_BUILD_BENCH=OFF
exec build/src/app/kx-sudoku "$@"
