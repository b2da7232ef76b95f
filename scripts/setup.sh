#!/bin/bash
# Installs everything the build, the tests and the run script need on a fresh
# Debian 12 machine.  Quick when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build python3 python3-pil python3-fonttools
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  gcc-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix
  mingw-w64-x86-64-dev mingw-w64-i686-dev binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 xvfb xauth x11-utils imagemagick
  googletest fonts-wqy-zenhei fonts-wine
  clang libclang-rt-14-dev util-linux
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "all packages present"
fi
