#!/usr/bin/env bash
# Shared by the comparison scripts. side_by_side runs commands in turn, round after round,
# so that the machine's noise hits all of them alike, and prints the median
# wall time of each in seconds, one per line, in the order given.
#   side_by_side ROUNDS INPUT_FILE WORK_DIR COMMAND...
# Each COMMAND is one string, run by bash in WORK_DIR with INPUT_FILE on
# its standard input and its output thrown away.
side_by_side() {
  local rounds=$1 input dir=$3
  input=$(realpath "$2")  # read after the cd into WORK_DIR
  shift 3
  local -a times
  local i k start end
  for ((i = 0; i < rounds; i++)); do
    for ((k = 1; k <= $#; k++)); do
      start=$(date +%s%N)
      (cd "$dir" && bash -c "${!k}" <"$input" >/dev/null 2>&1)
      end=$(date +%s%N)
      times[k]+="$(( (end - start) / 1000 )) "
    done
  done
  for ((k = 1; k <= $#; k++)); do
    echo "${times[k]}" | tr ' ' '\n' | grep -v '^$' | sort -n | awk '{a[NR]=$1} END{printf "%.4f\n", a[int((NR+1)/2)] / 1e6}'
  done
}

# Set-up of a comparison with qqwing: sets build, cli and a scratch folder
# work (removed on exit) for BUILD_DIR.
against_qqwing() {
  build=$(realpath "$1")
  cli=$build/src/cli/kx-sudoku-cli
  command -v qqwing >/dev/null || { echo "qqwing missing: run scripts/setup.sh" >&2; exit 1; }
  [ -x "$cli" ] || { echo "$cli missing: build first" >&2; exit 1; }
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
}
