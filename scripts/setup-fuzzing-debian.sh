#!/usr/bin/env bash
# Installs what the fuzzing harnesses need on top of scripts/setup-debian.sh: Clang 14 with
# libFuzzer and the sanitizer runtimes. Safe to run again.
set -euo pipefail
"$(dirname "$0")/setup-debian.sh"

packages=(clang-14 clang libclang-rt-14-dev zlib1g-dev)
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
