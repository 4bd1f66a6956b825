#include "SwatchCamera.h"

#include <algorithm>
#include <cmath>

namespace preview {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kCameraDistance = 4.0; // in sphere radii: a mild, editor-like perspective
constexpr double kFill = 0.92;          // silhouette diameter over the smaller image side

struct Ray {
    double x, y, z; // unit direction from the camera at (0, 0, kCameraDistance)
};

Ray RayThrough(double planeX, double planeY) {
    const double length = std::sqrt(planeX * planeX + planeY * planeY + 1.0);
    return {planeX / length, planeY / length, -1.0 / length};
}

// Distance along the ray to the nearest hit of the unit sphere at the origin, if any.
std::optional<double> HitDistance(const Ray& ray) {
    const double b = kCameraDistance * ray.z;
    const double c = kCameraDistance * kCameraDistance - 1.0;
    const double discriminant = b * b - c;
    if (discriminant < 0.0) {
        return std::nullopt;
    }
    return -b - std::sqrt(discriminant);
}

// Spherical mapping: u runs once round the vertical axis (0.5 facing the camera), v from the
// bottom pole (0) to the top pole (1).
Vector3 SphereUvw(double x, double y, double z) {
    const double u = 0.5 + std::atan2(x, z) / (2.0 * kPi);
    const double v = 0.5 + std::asin(std::clamp(y, -1.0, 1.0)) / kPi;
    return {static_cast<float>(u), static_cast<float>(v), 0.0f};
}

} // namespace

SwatchCamera::SwatchCamera(int width, int height) : width_(width), height_(height) {
    const double silhouetteTangent = 1.0 / std::sqrt(kCameraDistance * kCameraDistance - 1.0);
    const double halfSide = 0.5 * std::min(width, height);
    planeUnitsPerPixel_ = silhouetteTangent / (kFill * halfSide);
}

std::optional<SurfaceSample> SwatchCamera::Trace(double x, double y) const {
    const Ray ray = RayThrough((x - 0.5 * width_) * planeUnitsPerPixel_,
                               (0.5 * height_ - y) * planeUnitsPerPixel_);
    const std::optional<double> distance = HitDistance(ray);
    if (!distance) {
        return std::nullopt;
    }
    const double px = *distance * ray.x;
    const double py = *distance * ray.y;
    const double pz = kCameraDistance + *distance * ray.z;
    const double length = std::sqrt(px * px + py * py + pz * pz);
    SurfaceSample sample;
    sample.view = {static_cast<float>(ray.x), static_cast<float>(ray.y), static_cast<float>(ray.z)};
    sample.normal = {static_cast<float>(px / length), static_cast<float>(py / length),
                     static_cast<float>(pz / length)};
    sample.point = {static_cast<float>(px), static_cast<float>(py), static_cast<float>(pz)};
    sample.uvw = SphereUvw(px / length, py / length, pz / length);
    return sample;
}

} // namespace preview
