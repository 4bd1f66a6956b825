#pragma once

class Texmap;

namespace preview {

class MapParameters;

// Turns the map into its own chart: thickness 0 at map value 0 and maxThickness at 1, keys on
// the two thicknesses removed, the thickness map switched on and replaced by a ramp that gives
// each sample its column's share of the thickness axis. Everything else (indices, hue,
// saturation, gamma, output) stays as the user set it.
void PrepareChartMap(Texmap& map, MapParameters& parameters, float maxThickness);

} // namespace preview
