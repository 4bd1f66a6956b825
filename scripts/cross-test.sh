#!/usr/bin/env bash
# Builds Nacreen for 64-bit Windows with MinGW-w64 (the CMake preset "mingw") and runs its tests
# under wine, headless.
#   scripts/cross-test.sh [build-dir] [extra cmake arguments...]
# The wine prefix lives in the build folder; no wine process is left running afterwards.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-debian.sh"

build=$(realpath -m "${1:-$root/build-mingw}")
shift || true
jobs=$(nproc)

stop_wine() {
    if [ -x "$build/wine-run.sh" ]; then
        "$build/wine-run.sh" --shutdown
    fi
}
trap stop_wine EXIT

cd "$root"
cmake --preset mingw -B "$build" "$@"
cmake --build "$build" --parallel "$jobs"
# Wine programs spend much of their time starting up, not computing: run two at a time at least.
# Now and then wine fails to start a program at all (no output, a tenth of a second): such a test
# runs once more. A test that fails for a real reason fails both times.
ctest --test-dir "$build" --output-on-failure --parallel "$((jobs > 2 ? jobs : 2))" \
    --repeat until-pass:2
