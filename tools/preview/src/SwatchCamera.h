#pragma once

#include "SurfaceSample.h"

#include <optional>

namespace preview {

// The material editor's sample-slot view: a unit sphere seen by a perspective camera straight
// in front of it, the sphere filling most of the smaller image side.
class SwatchCamera {
public:
    SwatchCamera(int width, int height);

    // Traces the ray through image position (x, y), in pixels from the top-left corner (pixel
    // centres at +0.5). No value when the ray misses the sphere (background).
    std::optional<SurfaceSample> Trace(double x, double y) const;

private:
    int width_;
    int height_;
    double planeUnitsPerPixel_;
};

} // namespace preview
