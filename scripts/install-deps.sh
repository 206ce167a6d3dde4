#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ninja-build
  qt6-base-dev libgl-dev libqt6svg6
  libicu-dev libjpeg-dev libpng-dev libwebp-dev libx11-dev
  libglib2.0-dev gsettings-desktop-schemas libglib2.0-bin
  googletest libgtest-dev libgmock-dev libbenchmark-dev desktop-file-utils appstream man-db
  fonts-liberation fonts-ipafont-gothic fontconfig libfontconfig-dev
  xvfb xauth x11-apps x11-utils x11-xserver-utils xdotool imagemagick faketime strace
  libjpeg-turbo-progs
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
