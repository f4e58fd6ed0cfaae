#!/usr/bin/env bash
# Installs what building and testing need on Debian; a no-op when all is there.
#   tools/install-deps.sh          the compilers, CMake, GoogleTest and the GDAL cross-check
#   tools/install-deps.sh --fuzz   also clang and its runtime, for the fuzz preset
set -euo pipefail
packages=(cmake ninja-build g++ libgtest-dev python3-gdal python3-numpy make pkgconf file dpkg-dev)
for arg in "$@"; do
  case $arg in
    --fuzz) packages+=(clang libclang-rt-14-dev) ;;
    *) echo "usage: tools/install-deps.sh [--fuzz]" >&2; exit 2 ;;
  esac
done
missing=()
for p in "${packages[@]}"; do dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p"); done
[ ${#missing[@]} -eq 0 ] && exit 0
run() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
run apt-get update
run env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
