#!/usr/bin/env bash
# Checks the project on a fresh Debian 12: debootstrap makes a minimal root in
# a scratch folder. By default `apt install ./kx-sudoku_*.deb` installs the
# game there, it starts offscreen with nothing but its own dependencies, then a
# player plays it once under Xvfb (scripts/play_installed.sh), and after
# `apt purge` nothing of it may be left. With --test-suite the root instead
# gets a copy of this tree and runs the README's test command in it, which
# proves that scripts/setup.sh installs everything the scripts use. Needs root
# and the Debian mirror this machine's apt uses (DEBIAN_MIRROR overrides it).
# Not part of CI: it downloads a few hundred megabytes (the test suite, about
# a gigabyte, and some twenty minutes).
#   scripts/verify_debian12.sh [BUILD_DIR]    screenshots: BUILD_DIR/debian12-check/
#   scripts/verify_debian12.sh --test-suite   log: build/debian12-tests.log
set -euo pipefail
cd "$(dirname "$0")/.."
test_suite=0
[ "${1:-}" = --test-suite ] && { test_suite=1; shift; }
dir=${1:-build}
out="$dir/debian12-check"
rm -rf "$out" && mkdir -p "$out"

# The main archive of this machine's apt sources, in either format.
apt_mirror() {
  { cat /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null || true; } |
    sed -n -E 's#^(URIs:[[:space:]]*|deb[[:space:]]+)(https?://[^[:space:]]*/debian)/?([[:space:]].*)?$#\2#p' | head -1
}
mirror=${DEBIAN_MIRROR:-$(apt_mirror)}
[ -n "$mirror" ] || { echo "no Debian mirror found; set DEBIAN_MIRROR" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/kx-debian12.XXXXXX")
root="$work/root"
cleanup() {
  umount "$root/dev" "$root/proc" 2>/dev/null || true
  rm -rf --one-file-system "$work"
}
trap cleanup EXIT
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"; }

echo "== debootstrap bookworm from $mirror"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$out/debootstrap.log" 2>&1 ||
  { tail -20 "$out/debootstrap.log"; exit 1; }
mount -t proc proc "$root/proc"
echo "deb $mirror bookworm main" >"$root/etc/apt/sources.list"
in_root apt-get update -qq

if [ $test_suite = 1 ]; then
  # The tree as it stands (tracked files, edits included) and the shared
  # puzzle sets beside it, as on a developer's machine.
  echo "== scripts/test.sh in the fresh root"
  mount --bind /dev "$root/dev"
  mkdir -p "$root/src/main"
  git ls-files -z | tar --null -T - -cf - | tar -xf - -C "$root/src/main"
  [ -d ../shared/bench ] && mkdir -p "$root/src/shared" && cp -r ../shared/bench "$root/src/shared/"
  start=$SECONDS
  if in_root sh -c "cd /src/main && scripts/test.sh" >"$dir/debian12-tests.log" 2>&1; then
    echo "debian 12 test suite: passed in $((SECONDS - start)) s (log in $dir/debian12-tests.log)"
    exit 0
  fi
  tail -30 "$dir/debian12-tests.log"
  echo "debian 12 test suite: failed after $((SECONDS - start)) s" >&2
  exit 1
fi

scripts/package.sh "$dir"
deb=$(ls "$dir"/kx-sudoku_*.deb)
echo "== apt install ./$(basename "$deb")"
cp "$deb" "$root/tmp/"
in_root sh -c "cd /tmp && apt install -y ./$(basename "$deb")" >"$out/install.log" 2>&1 ||
  { tail -30 "$out/install.log"; exit 1; }
in_root dpkg -L kx-sudoku >"$out/package-files.txt"
in_root dpkg-query -W -f='${Depends}\n' kx-sudoku

echo "== first start, offscreen, with the package's own dependencies only"
in_root useradd --create-home player
in_root runuser -u player -- env HOME=/home/player QT_QPA_PLATFORM=offscreen KX_SUDOKU_STARTUP_PROBE=1 \
  timeout 60 kx-sudoku | tee "$out/offscreen.log" | grep -q "first frame after" ||
  { cat "$out/offscreen.log"; echo "the installed game did not start" >&2; exit 1; }

echo "== played once under Xvfb"
in_root apt-get install -y -qq --no-install-recommends xvfb xauth xdotool x11-apps libglib2.0-bin >/dev/null
cp scripts/play_installed.sh "$root/tmp/"
mkdir -m 777 "$root/tmp/play"
in_root runuser -u player -- /tmp/play_installed.sh /tmp/play
cp "$root"/tmp/play/* "$out/"
for shot in "$out"/*.xwd; do
  if command -v convert >/dev/null; then convert "xwd:$shot" "${shot%.xwd}.png" && rm "$shot"; fi
done

echo "== apt purge kx-sudoku"
in_root apt-get purge -y kx-sudoku >"$out/purge.log" 2>&1
left=0
while read -r path; do
  [ -f "$root$path" ] && { echo "left behind: $path"; left=1; }
done <"$out/package-files.txt"
leftovers=$(find "$root" -xdev \( -path "$root/proc" -o -path "$root/tmp" -o -path "$root/home" \) -prune -o \
  -iname '*kx?sudoku*' -print)
[ -z "$leftovers" ] || { echo "left behind: $leftovers"; left=1; }
grep -l -i 'kx.sudoku' "$root/usr/share/mime/globs2" "$root/usr/share/applications/mimeinfo.cache" 2>/dev/null &&
  { echo "still registered in the caches above"; left=1; }
[ $left = 0 ] || exit 1
echo "debian 12 check: passed (screenshots in $out)"
