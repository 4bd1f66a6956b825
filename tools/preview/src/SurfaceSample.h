#pragma once

namespace preview {

struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// What the renderer hands the shading context for one sample: a unit view direction from the
// camera towards the point and the unit shading normal, both in camera space (the camera looks
// down -z, y up), the point in object space and its texture coordinates.
struct SurfaceSample {
    Vector3 view;
    Vector3 normal;
    Vector3 point;
    Vector3 uvw;
};

} // namespace preview
