#!/usr/bin/env bash
# Plays the installed game once as a player would, on a fresh home under Xvfb:
# starts it from its menu entry's Exec line, solves the puzzle with a click,
# ends it, and opens the saved game through its file type the way a file
# manager does (content type -> default launcher -> Exec line). Screenshots
# (XWD) and a log go to OUT_DIR. Needs Xvfb, xdotool, xwd and gio.
#   scripts/play_installed.sh OUT_DIR
set -euo pipefail
out=$(cd "$1" && pwd)
applications=/usr/share/applications
fail() { echo "play: $*" >&2; exit 1; }

export HOME
HOME=$(mktemp -d)
cd "$HOME"
unset KX_SUDOKU_HOME XDG_DATA_HOME XDG_CONFIG_HOME
export XDG_RUNTIME_DIR="$HOME/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$HOME/display" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$HOME"' EXIT
for _ in $(seq 100); do [ -s "$HOME/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$HOME/display")"

game=0
start() {  # the command line of a launcher, with %f replaced
  "$@" >>"$out/game.log" 2>&1 &
  game=$!
  timeout 30 xdotool search --sync --onlyvisible --name "KX-Sudoku V" >/dev/null || fail "no window from: $*"
  sleep 2
}
stop() {
  kill -TERM "$game"
  wait "$game" || fail "the game did not end cleanly"
}
shot() { xwd -root -silent -out "$out/$1.xwd"; }

launcher=$(grep -l '^Exec=kx-sudoku ' "$applications"/*.desktop | head -1)
[ -n "$launcher" ] || fail "no installed launcher"
exec_line=$(sed -n 's/^Exec=//p' "$launcher")
echo "launcher: $launcher: Exec=$exec_line" >"$out/play.log"

# A first start from the menu, and a click on "Sudoku automatisch lösen".
start ${exec_line/ %f/}
shot 1-first-start
read -r x y width height < <(xdotool search --onlyvisible --name "KX-Sudoku V" getwindowgeometry --shell |
  awk -F= '/^X=/{x=$2} /^Y=/{y=$2} /^WIDTH=/{w=$2} /^HEIGHT=/{h=$2} END{print x, y, w, h}')
echo "window: $width x $height at $x,$y" >>"$out/play.log"
xdotool mousemove $((x + width * 750 / 880)) $((y + height * 74 / 660)) click 1
sleep 2
shot 2-solved
stop

data="$HOME/.local/share/kx-sudoku"
[ -f "$data/REZodaru.ini" ] || fail "no state file in $data"
mkdir "$HOME/Spiele"
mv "$data/REZodaru.ini" "$HOME/Spiele/SuDoKu_2026_12_08__12_00_00.kxs"

# A second start gets the built-in puzzle again; it is the game in progress
# when the saved game is opened.
start ${exec_line/ %f/}
stop

saved="$HOME/Spiele/SuDoKu_2026_12_08__12_00_00.kxs"
type=$(gio info -a standard::content-type "$saved" | sed -n 's/.*standard::content-type: //p')
default=$(sed -n "s|^$type=\\([^;]*\\);.*|\\1|p" "$applications/mimeinfo.cache")
echo "content type: $type, opened by: $default" >>"$out/play.log"
[ -n "$default" ] || fail "no launcher for $type"
open_line=$(sed -n 's/^Exec=//p' "$applications/$default")
start ${open_line/\%f/$saved}
shot 3-opened-saved-game
stop
ls "$data"/SuDoKu_*_argument.kxs >/dev/null 2>&1 || fail "the saved game was not opened"

find "$HOME" -path "$XDG_RUNTIME_DIR" -prune -o -type f -printf '%P\n' | sort >>"$out/play.log"
echo "play: passed" | tee -a "$out/play.log"
