#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# Safe to run again: apt-get only installs what is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libwxgtk3.2-dev wx-common
  libgtest-dev
  xvfb xauth
  gettext
  libgif-dev libpng-dev libjpeg62-turbo-dev
  libcurl4-openssl-dev
  libimagequant-dev
  libexpat1-dev
  libzstd-dev
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
  gifsicle
  imagemagick
  ffmpeg
  unzip
  fonts-dejavu-core
  fonts-wqy-microhei
  desktop-file-utils appstream libxml2-utils shared-mime-info libglib2.0-bin
  librsvg2-bin
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
