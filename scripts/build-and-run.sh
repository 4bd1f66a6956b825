#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Nacreen and runs the main job.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-debian.sh"

build=$root/build
cmake -S "$root" -B "$build" -G Ninja -DNACREEN_BUILD_BENCHMARKS=OFF -DNACREEN_BUILD_TESTS=OFF
cmake --build "$build" --parallel --target nacreen-filmtable
"$build/tools/filmtable/nacreen-filmtable" "$@"
