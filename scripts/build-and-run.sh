#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Nacreen and runs the main job: nacreen-preview loads
# Nacreen.dlt as 3ds Max does and renders a swatch of a new map (arguments are passed on; try
# --help).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-debian.sh"

build=$root/build
cmake -S "$root" -B "$build" -G Ninja -DNACREEN_BUILD_BENCHMARKS=OFF -DNACREEN_BUILD_TESTS=OFF
cmake --build "$build" --parallel --target nacreen-preview
"$build/tools/preview/nacreen-preview" "$@"
