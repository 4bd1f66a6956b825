#!/usr/bin/env bash
# Installs what the browser explorer needs on top of scripts/setup-debian.sh: emcc to compile the
# shading core to WebAssembly, node to test that module, and headless Chromium to test the page.
# Safe to run again.
set -euo pipefail

packages=(emscripten chromium)
command -v node >/dev/null || packages+=(nodejs)

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
