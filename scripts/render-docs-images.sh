#!/usr/bin/env bash
# Regenerates the README's pictures under docs/images with nacreen-preview, the command-line
# host that loads Nacreen.dlt the way 3ds Max does.
#   scripts/render-docs-images.sh [build-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}

# An existing build folder keeps its own settings; a new one builds only what the pictures need.
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DNACREEN_BUILD_TESTS=OFF -DNACREEN_BUILD_BENCHMARKS=OFF
fi
cmake --build "$build" --parallel --target nacreen-preview
preview=$build/tools/preview/nacreen-preview
images=$root/docs/images
mkdir -p "$images"

# The default map: a swatch as in the material editor's sample slot, and its chart.
"$preview" --size 320 -o "$images/swatch.png"
"$preview" --chart --size 768x512 -o "$images/chart.png"

# Soap film: water between air and air, thickness varying between 150 and 700 nm.
"$preview" --size 320 --set nfilm=1.33 --set thicknessmax=150 --set thicknessmin=700 \
    --thickness-map noise -o "$images/soap-film.png"
# Oil on water: a film of index 1.47 over water, 200 to 600 nm. Both of its surfaces reflect
# little, so gamma and saturation lift the colours.
"$preview" --size 320 --set nfilm=1.47 --set ninternal=1.33 --set thicknessmax=200 \
    --set thicknessmin=600 --set gamma=0.6 --set sat=30 --thickness-map noise \
    -o "$images/oil-on-water.png"
# Anti-reflection coating: a quarter wave of MgF2 (1.38) on glass (1.52), about 100 nm. It
# reflects about 1 % of the light, purple head-on, so gamma and saturation lift it to be seen.
"$preview" --size 320 --set nfilm=1.38 --set ninternal=1.52 --set thicknessmax=100 \
    --set gamma=0.5 --set sat=60 -o "$images/anti-reflection.png"
# Where the colours of a soap film come from.
"$preview" --chart --size 768x512 --set nfilm=1.33 -o "$images/chart-soap-film.png"
