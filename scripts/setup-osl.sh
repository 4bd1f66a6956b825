#!/usr/bin/env bash
# Installs the OSL reference engine (oslc, testshade, oslinfo) into a build folder, so that the
# tests of osl/Nacreen.osl run there: its four runtime packages from Debian, and the engine
# unpacked from its archive into BUILD/osl-engine. Nothing is written into the repository. Safe to run
# again.
#   scripts/setup-osl.sh [build-dir]
# The archive is ../shared/osl/ beside the repository unless NACREEN_OSL_ARCHIVE names it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
archive=${NACREEN_OSL_ARCHIVE:-$root/../shared/osl/osl-1.13.12-debian12-x86_64.tar.xz}

if [ ! -f "$archive" ]; then
    echo "setup-osl.sh: no OSL archive at $archive (set NACREEN_OSL_ARCHIVE)" >&2
    exit 1
fi

packages=(libopenimageio2.4 libllvm14 libboost-thread1.74.0 libpugixml1v5)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Unpacked afresh beside the final folder and moved into place, so an interrupted run never
# leaves a half engine that CMake would take for a whole one.
mkdir -p "$build"
staging=$(mktemp -d "$build/.osl-XXXXXX")
trap 'rm -rf "$staging"' EXIT
tar -xJf "$archive" -C "$staging"
"$staging/osl/bin/oslc" --help >/dev/null
rm -rf "$build/osl-engine"
mv "$staging/osl" "$build/osl-engine"
echo "OSL engine: $build/osl-engine ($("$build/osl-engine/bin/oslc" --help | head -n 1))"
