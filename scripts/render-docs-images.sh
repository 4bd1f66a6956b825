#!/usr/bin/env bash
# Regenerates the README's pictures under docs/images with nacreen-preview, the command-line
# host that loads Nacreen.dlt the way 3ds Max does, and the same swatches shaded by Nacreen.osl
# in the OSL reference engine (which scripts/setup-osl.sh installs into the build folder).
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

# The looks of tools/looks.tsv, one picture each under its id. A look that spans two
# thicknesses gets a noise thickness map, the film's swirled look.
look_arguments() { # id: the --set options of that look
    local id title values
    while IFS=$'\t' read -r id title values; do
        [ "$id" = "$1" ] || continue
        for value in $values; do printf -- '--set\n%s\n' "$value"; done
        [[ " $values " == *" thicknessmapenabled=true "* ]] && printf -- '--thickness-map\nnoise\n'
    done <"$root/tools/looks.tsv"
}
for id in $(grep -v '^#' "$root/tools/looks.tsv" | cut -f1); do
    mapfile -t arguments < <(look_arguments "$id")
    "$preview" --size 320 "${arguments[@]}" -o "$images/$id.png"
done
# Where the colours of a soap film come from: its chart, its thicknesses marked.
mapfile -t arguments < <(look_arguments soap-film)
"$preview" --chart --size 768x512 "${arguments[@]}" -o "$images/chart-soap-film.png"

# The swatches again, shaded by Nacreen.osl on the OSL reference engine's testshade from the
# same samples: NAME-osl.png beside NAME.png. Configuring again finds the engine.
"$root/scripts/setup-osl.sh" "$build"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --parallel --target nacreen-osl-swatch
"$build/osl/testshade/nacreen-osl-swatch" "$images" 320
