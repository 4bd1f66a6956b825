#!/usr/bin/env bash
# Builds Nacreen Explorer, the browser page that shades with the map's own core compiled to
# WebAssembly, and prints the file to open. With --test it also runs the explorer's tests
# (WebAssembly against the native core under node, the page in headless Chromium).
#   scripts/build-explorer.sh [--test] [build-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

run_tests=false
if [ "${1:-}" = "--test" ]; then
    run_tests=true
    shift
fi
build=${1:-$root/build}
if [ $# -gt 1 ] || [[ "$build" == -* ]]; then
    echo "build-explorer.sh: unknown argument '$*' (usage: scripts/build-explorer.sh [--test] [build-dir])" >&2
    exit 2
fi

"$root/scripts/setup-debian.sh" --explorer

targets=(nacreen-explorer)
options=(-DNACREEN_BUILD_EXPLORER=ON -DNACREEN_BUILD_BENCHMARKS=OFF)
if $run_tests; then
    targets+=(nacreen_explorer_reference)
    options+=(-DNACREEN_BUILD_TESTS=ON)
fi
cmake -S "$root" -B "$build" -G Ninja "${options[@]}"
cmake --build "$build" --parallel --target "${targets[@]}"
if $run_tests; then
    ctest --test-dir "$build" --label-regex explorer --output-on-failure
fi
echo "Nacreen Explorer: open file://$build/tools/explorer/site/index.html in a browser"
