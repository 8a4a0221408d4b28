#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the fuzzers and the
# benchmarks need. Safe to run again: apt skips what is already there.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config git
  googletest libgtest-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
  wine wine64 xvfb xdotool x11-apps imagemagick
  clang-14 libclang-rt-14-dev
  libpng-dev zlib1g-dev libdeflate-dev libstb-dev
  valgrind python3
  gnome-backgrounds
)
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
