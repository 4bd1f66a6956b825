#pragma once

#include <maxtypes.h>

#include <vector>

class Texmap;

namespace preview {

class MapParameters;

// Turns the map into its own chart: thickness 0 at map value 0 and maxThickness at 1, keys on
// the two thicknesses removed, the thickness map switched on and replaced by a ramp that gives
// each sample its column's share of the thickness axis. Everything else (indices, hue,
// saturation, gamma, output) stays as the user set it; a thickness map of the user's own is
// set aside.
void PrepareChartMap(Texmap& map, MapParameters& parameters, float maxThickness);

// The thicknesses the map's film takes at time t, before the chart changes it: thicknessmax
// alone, or with a thickness map in use also thicknessmin, the other end of its range.
std::vector<float> FilmThicknesses(Texmap& map, MapParameters& parameters, TimeValue t);

} // namespace preview
