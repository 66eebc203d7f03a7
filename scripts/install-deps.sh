#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, only those
# that are missing. Run as root (or with sudo available).
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libicu-dev zlib1g-dev libhunspell-dev libpcre2-dev libzip-dev libpugixml-dev libsimdjson-dev
  stardict-czech stardict-xmlittre sdcv stardict-tools
  hunspell-en-us hunspell-de-de hunspell-fr hunspell-ru
  libsdl2-mixer-dev libasound2-dev libespeak-ng-dev libvorbis-dev sox libsox-fmt-base
  libgtest-dev libgmock-dev libbenchmark-dev
  libasio-dev dictd dict
  qt6-base-dev libgl-dev
  xvfb xauth xdotool xclip
  x11-utils x11-apps python3 qt6-qpa-plugins
  dpkg-dev lintian appstream
  fonts-liberation fonts-dejavu-core fonts-noto-core
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
