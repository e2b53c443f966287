#!/usr/bin/env bash
# Installs a build into a scratch DESTDIR and checks what a desktop gets from
# it: the launcher, the file type, the AppStream file, icons and manual pages
# are valid, and the installed game starts, keeps its files in the per-user
# folder, writes no launchers of its own and opens a saved game handed to it
# by its launcher's Exec line.
#   tests/install/install_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() { echo "install test: $*" >&2; exit 1; }

DESTDIR="$stage/root" cmake --install "$build" --prefix /usr >/dev/null
usr="$stage/root/usr"
id=$(basename "$usr"/share/applications/*.desktop .desktop)

desktop-file-validate "$usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" >"$stage/appstream.log" ||
  { cat "$stage/appstream.log"; fail "AppStream file refused"; }

# The file type: the database built from the installed XML alone knows it.
XDG_DATA_DIRS="$usr/share" update-mime-database "$usr/share/mime" 2>"$stage/mime.log"
[ -s "$stage/mime.log" ] && { cat "$stage/mime.log"; fail "MIME file has problems"; }
grep -q ':application/x-kx-sudoku-game:\*\.kxs' "$usr/share/mime/globs2" || fail "*.kxs not in the MIME globs"
grep -q "^application/x-kx-sudoku-game:$id\$" "$usr/share/mime/icons" || fail "file type without its icon"

for png in "$usr"/share/icons/hicolor/*x*/apps/"$id".png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  [ "$(identify -format '%wx%h' "$png")" = "$size" ] || fail "$png is not $size"
done
[ -f "$usr/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"

for page in "$usr"/share/man/man*/*.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page: $warnings"
done

# The installed programs run from their new place, on a player's empty home.
export HOME="$stage/home" QT_QPA_PLATFORM=offscreen KX_SUDOKU_STARTUP_PROBE=1 PATH="$usr/bin:$PATH"
unset KX_SUDOKU_HOME XDG_DATA_HOME XDG_CONFIG_HOME
export XDG_RUNTIME_DIR="$stage/run"
mkdir -p "$HOME/Desktop" && mkdir -m 700 "$XDG_RUNTIME_DIR"
data="$HOME/.local/share/kx-sudoku"
timeout 60 "$usr/bin/kx-sudoku" | grep -q "first frame after" || fail "the installed game did not start"
[ -f "$data/REZodaru.ini" ] || fail "no state file in the per-user folder"
[ "$(ls "$usr/bin")" = "$(printf 'kx-sudoku\nkx-sudoku-cli\nkx-sudoku-cli-print')" ] || fail "files written beside the programs"
[ -n "$(find "$HOME" -name '*.desktop')" ] && fail "the installed game wrote launchers of its own"
echo "530070000600195000098000060800060003400803001700020006060000280000419005000080079" |
  (cd "$stage" && kx-sudoku-cli solve --no-files) | grep -q '^[0-9]* 1 534678912' || fail "the installed kx-sudoku-cli did not solve"
# Its print command is handed over to the program installed beside it.
echo "530070000600195000098000060800060003400803001700020006060000280000419005000080079" |
  (cd "$stage" && kx-sudoku-cli print --to "$stage/book.pdf" >/dev/null 2>&1)
[ -s "$stage/book.pdf" ] || fail "the installed kx-sudoku-cli did not print"

# A saved game opened through the launcher: the game in progress is set aside.
cp "$data/REZodaru.ini" "$stage/SuDoKu_2026_01_01__10_00_00.kxs"
exec_line=$(sed -n 's/^Exec=//p' "$usr/share/applications/$id.desktop")
(cd "$stage" && timeout 60 ${exec_line/\%f/"$stage/SuDoKu_2026_01_01__10_00_00.kxs"}) | grep -q "first frame after" ||
  fail "the launcher's Exec line did not start the game"
ls "$data"/SuDoKu_*_argument.kxs >/dev/null 2>&1 || fail "the saved game was not opened"
echo "install test: passed"
