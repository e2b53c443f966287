#!/usr/bin/env bash
# The long comparison of the solver's shortcuts with the literal search:
# every result of 20,000 puzzles of every kind (CI runs 1,500), and the
# rewritten solution log of the fast all-solutions search against the
# rating search's on 300 puzzles with up to 10,000 solutions and on the
# shared benchmark puzzles with 1,013 and 100,697 solutions.
#   scripts/differential.sh [BUILD_DIR] [PUZZLES]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
puzzles=${2:-20000}
[ -x "$build/tests/kx_tests" ] || { echo "$build/tests/kx_tests missing: build first" >&2; exit 1; }

start=$(date +%s)
KX_DIFFERENTIAL_PUZZLES=$puzzles "$build/tests/kx_tests" --gtest_filter='SolverDifferential.*:ThreadedSolveDifferential.*' --gtest_brief=1
echo "solver: $puzzles puzzles in $(( $(date +%s) - start )) s"

start=$(date +%s)
KX_ENUMERATION_PUZZLES=300 KX_ENUMERATION_MAX_SOLUTIONS=10000 \
  "$build/tests/kx_enumeration_tests" --gtest_filter='EnumerationDifferential.*' --gtest_brief=1
echo "enumeration: 300 puzzles and the shared ones in $(( $(date +%s) - start )) s"
