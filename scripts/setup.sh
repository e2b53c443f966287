#!/usr/bin/env bash
# Installs every Debian package the project needs. Safe to run again:
# apt-get runs only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  qt6-base-dev qt6-translations-l10n libgl-dev
  fonts-liberation2
  xvfb xauth xdotool x11-apps
  qqwing libjpeg-turbo-progs imagemagick poppler-utils
  time bc hyperfine valgrind
  desktop-file-utils appstream shared-mime-info man-db librsvg2-bin
  dpkg-dev file debootstrap libglib2.0-bin
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
