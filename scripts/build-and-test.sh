#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Nacreen and runs every test.
#   scripts/build-and-test.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-debian.sh"

build=${1:-$root/build}
shift || true
cmake -S "$root" -B "$build" -G Ninja -DNACREEN_BUILD_TESTS=ON -DNACREEN_BUILD_BENCHMARKS=OFF "$@"
cmake --build "$build" --parallel
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
