#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12 (as root).
# Packages already present are skipped; apt-get runs only when one is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  mingw-w64 g++-mingw-w64-x86-64-posix
  wine wine64 fonts-wine fonts-vlgothic fonts-wqy-zenhei
  xvfb openbox x11-utils xdotool xclip imagemagick chromium
  python3 python3-xlib
  libgtest-dev libgmock-dev libbenchmark-dev libpng-dev
  feh
  clang libclang-rt-14-dev
  nsis zip
  osslsigncode openssl p7zip-full python3-yaml
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi
