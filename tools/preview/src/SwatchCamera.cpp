#include "SwatchCamera.h"

#include <algorithm>

namespace preview {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFill = 0.92; // silhouette diameter over the smaller image side

} // namespace

Vector3 SwatchHit::Uvw() const {
    const double u = 0.5 + std::atan2(normalX, normalZ) / (2.0 * kPi);
    const double v = 0.5 + std::asin(std::clamp(normalY, -1.0, 1.0)) / kPi;
    return {static_cast<float>(u), static_cast<float>(v), 0.0f};
}

SwatchCamera::SwatchCamera(int width, int height) : width_(width), height_(height) {
    const double silhouetteTangent = 1.0 / std::sqrt(kCameraDistance * kCameraDistance - 1.0);
    const double halfSide = 0.5 * std::min(width, height);
    planeUnitsPerPixel_ = silhouetteTangent / (kFill * halfSide);
}

bool SwatchCamera::MissesPixel(int x, int y) const {
    // A ray misses where its point on the image plane is further than the silhouette's tangent
    // from the centre: |plane|^2 > 1 / (kCameraDistance^2 - 1).
    const double centreX = 0.5 * width_;
    const double centreY = 0.5 * height_;
    const double nearestX =
        (std::clamp(centreX, double(x), x + 1.0) - centreX) * planeUnitsPerPixel_;
    const double nearestY =
        (std::clamp(centreY, double(y), y + 1.0) - centreY) * planeUnitsPerPixel_;
    const double silhouette = 1.0 / (kCameraDistance * kCameraDistance - 1.0);
    return nearestX * nearestX + nearestY * nearestY > silhouette * (1.0 + 1e-9);
}

SwatchCamera::Columns SwatchCamera::ColumnsToTrace(int y) const {
    // Left of the centre the pixels are missed up to the sphere's edge and not after it; right
    // of it the other way round. Each search keeps missed(low) != missed(high) in view.
    const int centre = width_ / 2;
    if (MissesPixel(centre, y)) {
        return {centre, centre};
    }
    int low = -1, high = centre; // missed at low (or outside the image), traced at high
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        (MissesPixel(middle, y) ? low : high) = middle;
    }
    const int first = high;
    low = centre;  // traced
    high = width_; // missed, or outside the image
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        (MissesPixel(middle, y) ? high : low) = middle;
    }
    return {first, high};
}

std::optional<SurfaceSample> SwatchCamera::Trace(double x, double y) const {
    const std::optional<SwatchHit> hit = Hit(x, y);
    if (!hit) {
        return std::nullopt;
    }
    return SurfaceSample{hit->View(), hit->Normal(), hit->Point(), hit->Uvw()};
}

} // namespace preview
