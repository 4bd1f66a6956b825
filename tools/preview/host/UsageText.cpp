#include "UsageText.h"

namespace preview {

const char* UsageText() {
    return R"(Usage: nacreen-preview [options]
Renders the Nacreen texture map without 3ds Max: loads Nacreen.dlt as 3ds Max does and shows
what the material editor's sample slot (a swatch) or a thickness-angle chart would show.
With no options it writes a 512x512 swatch of a new map to nacreen-swatch.png.

Image
  -o, --output FILE.png     file to write (default nacreen-swatch.png, or nacreen-chart.png
                            with --chart); with --frames the frame number goes before the
                            extension: FILE0012.png
  --chart                   colour over film thickness (x, nm) and viewing angle (y, degrees)
                            instead of a sphere; triangles over the axis mark the map's own
                            thickness (both ends of its range with a thickness map)
  --max-thickness NM        right end of the chart's thickness axis, 1 to 3000 (default 1000)
  --size N | WxH            image size in pixels, sides 16 to 8192 (default 512 for a swatch,
                            768x512 for a chart; a chart needs at least 160x120)
  --samples N               N x N samples per pixel for smooth edges, 1 to 8 (default 3)
  --linear                  store linear values instead of sRGB-encoded ones
Map
  --set NAME=VALUE          set a parameter by its scripting name, e.g. --set nfilm=1.33;
                            repeat for several (--list shows names, ranges and defaults)
  --set NAME@TICKS=VALUE    set an animation key at a time in ticks (4800 per second), as
                            MAXScript does with animate on
  --set output.NAME=VALUE   set the map's output adjustment, e.g. output.RGB_Level=1.5
  --thickness-map FILE.png  modulate the thickness by a grey or colour PNG over the sphere's
                            UVs (black: thicknessmax, white: thicknessmin) and switch
                            thicknessmapenabled on
  --thickness-map noise     the same with a procedural noise map
  --list                    list the map's parameters and exit
Animation
  --frames A:B[:STEP]       render frames A to B, every STEP-th (30 frames per second,
                            160 ticks a frame), one numbered file each
Scenes
  --save FILE.nscn          also save the map (parameters, keys, thickness map, output) to a
                            scene file
  --load FILE.nscn          start from a saved map instead of a new one
Host
  --threads N               render threads, 1 to 256 (default: one per core)
  --plugin FILE.dlt         the plug-in library to load (default: the one built with the tool)
  -h, --help                show this text

Exit status: 0 on success, 1 when the plug-in, a scene or an image fails, 2 for a usage error.
Nothing is written when a run fails.
)";
}

} // namespace preview
