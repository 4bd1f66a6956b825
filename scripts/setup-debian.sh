#!/usr/bin/env bash
# Installs everything Nacreen needs to build and test on Debian 12, plus any packages named as
# arguments. Safe to run again.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev libpng-dev
    # windres compiles the resource script for the Linux build as well as the Windows one.
    binutils-mingw-w64-x86-64 g++-mingw-w64-x86-64
    wine64 wine
)
# Callers add what their own step needs (scripts/setup-fuzzing-debian.sh: Clang).
packages+=("$@")

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
