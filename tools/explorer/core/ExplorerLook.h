#pragma once

#include "shading/FilmParams.h"

namespace explorer {

// Everything the page lets the user set: the map's film and colour controls, and whether the
// explorer's thickness ramp stands in for a thickness map (the map's check box).
struct ExplorerLook {
    nacreen::FilmParams film{};
    float gamma = 1.0f;
    bool useThicknessRamp = false;
};

} // namespace explorer
