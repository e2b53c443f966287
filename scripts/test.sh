#!/usr/bin/env bash
# Sets up a fresh machine, builds everything and runs every test: once in a
# release build, once more with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
(cd build && ctest --output-on-failure --parallel "$(nproc)")
# The Debian package builds from the same tree and carries what it should.
scripts/package.sh build

scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DKX_SANITIZE=ON -DKX_BUILD_BENCH=OFF
# The sanitizers make the solver some ten times slower: the comparison with
# the literal search takes a tenth of its puzzles here.
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 KX_DIFFERENTIAL_PUZZLES=150 \
  ctest --output-on-failure --parallel "$(nproc)")

# Every parser's fuzz target still builds and survives a short run.
scripts/fuzz_smoke.sh 10
