#!/usr/bin/env bash
# Takes the README's screenshots from the built game on a fresh home under
# Xvfb: the first start, a game with hints and marks, the settings with a
# pop-up, and the move history. SCALE sets QT_SCALE_FACTOR (1 for docs/).
# Needs Xvfb, xdotool and ImageMagick's import.
#   scripts/screenshots.sh [OUT_DIR] [SCALE] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(mkdir -p "${1:-docs}" && cd "${1:-docs}" && pwd)
scale=${2:-1}
game=$(pwd)/${3:-build}/src/app/kx-sudoku

home=$(mktemp -d)
export KX_SUDOKU_HOME=$home XDG_RUNTIME_DIR=$home/run QT_SCALE_FACTOR=$scale
mkdir -m 700 "$XDG_RUNTIME_DIR"
Xvfb -displayfd 3 -screen 0 2400x1600x24 -nolisten tcp 3>"$home/display" 2>/dev/null &
xvfb=$!
pid=0
trap 'kill $pid $xvfb 2>/dev/null || true; rm -rf "$home"' EXIT
for _ in $(seq 100); do [ -s "$home/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$home/display")"

(cd "$home" && exec "$game" >"$home/game.log" 2>&1) &
pid=$!
id=$(timeout 30 xdotool search --sync --onlyvisible --name "KX-Sudoku V" | head -1)
sleep 2

# Points in the window's logical pixels, at its first-start size.
click() { xdotool mousemove --window "$id" "$(bc <<<"$1 * $scale / 1")" "$(bc <<<"$2 * $scale / 1")" click "${3:-1}"; sleep 0.4; }
cell() { click $((55 + 66 * $2 + ($2 / 3) * 4)) $((50 + 66 * $1 + ($1 / 3) * 4)); }
field() { click 747 $((54 + 20 * ($1 - 1))) "${2:-1}"; }  # the n-th field below the title
shot() { sleep 1; import -window "$id" "$out/$1.png"; }

shot first-start
for rc in "0 1" "2 5" "6 2"; do cell $rc; field 4; done  # "Markiertes Feld lösen"
for rc in "3 0" "4 2" "7 0" "8 0"; do cell $rc; field 5; done  # "1-9 im markierten Feld setzen"
cell 3 5
xdotool type --window "$id" 7
cell 4 0
shot game-in-progress
field 9  # "Einstellungen"
field 10 3  # the symbol-set field's pop-up
shot settings-with-popup
field 12  # "Einstellungs-Modus beenden"
for _ in 1 2 3 4; do xdotool key --window "$id" Prior; sleep 0.3; done
shot history-view
kill -TERM $pid
wait $pid || true
