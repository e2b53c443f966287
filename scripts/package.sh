#!/usr/bin/env bash
# Builds the Debian package and checks it: every file it should carry is in
# it (dpkg-deb -c) and nothing else, and it depends on the libraries and the
# run-time data the game needs.
#   scripts/package.sh [BUILD_DIR]   (default: build; the package lands there)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
scripts/setup.sh
scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=Release
rm -f "$dir"/kx-sudoku_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/kx-sudoku_*.deb)
fail() { echo "package check: $*" >&2; exit 1; }

# Each line of the list is a path or a shell pattern of paths in the package.
mapfile -t expected < <(grep -v '^#' scripts/package_files.txt)
mapfile -t files < <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|')
# matches PATTERN FILE...: true when one of the files matches the pattern.
matches() {
  local pattern=$1 file
  shift
  for file; do
    # shellcheck disable=SC2053
    [[ $file == $pattern ]] && return 0
  done
  return 1
}
for pattern in "${expected[@]}"; do matches "$pattern" "${files[@]}" || fail "missing $pattern"; done
for file in "${files[@]}"; do
  listed=0
  for pattern in "${expected[@]}"; do matches "$pattern" "$file" && listed=1; done
  [ $listed = 1 ] || fail "unexpected file $file"
done

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6printsupport6 libqt6core6 libstdc++6 libc6 \
               fonts-liberation2 qt6-translations-l10n hicolor-icon-theme; do
  [[ ", $depends," == *", $package"[\ ,]* ]] || fail "does not depend on $package: $depends"
done
echo "$deb: ${#files[@]} files, depends on $depends"
