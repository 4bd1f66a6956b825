#!/usr/bin/env bash
# Builds Nacreen for 64-bit Windows with MinGW-w64 and runs its tests under wine, headless.
#   scripts/cross-test.sh [build-dir] [extra cmake arguments...]
# The wine prefix lives in the build folder; no wine process is left running afterwards.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-debian.sh"

build=${1:-$root/build-mingw}
shift || true
jobs=$(nproc)
[ "$jobs" -gt 2 ] || jobs=2

stop_wine() {
    if [ -x "$build/wine-run.sh" ]; then
        "$build/wine-run.sh" --shutdown
    fi
}
trap stop_wine EXIT

cmake -S "$root" -B "$build" -G Ninja \
    --toolchain "$root/cmake/toolchains/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNACREEN_BUILD_BENCHMARKS=OFF "$@"
cmake --build "$build" --parallel "$jobs"
ctest --test-dir "$build" --output-on-failure --parallel "$jobs"
