#include "imaging/SwatchCamera.h"

#include <algorithm>
#include <cmath>

namespace imaging {
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
    // A ray lands where its point on the image plane lies within the silhouette's tangent of
    // the centre: |plane|^2 <= 1 / (kCameraDistance^2 - 1).
    const double centreX = 0.5 * width_;
    const double centreY = 0.5 * height_;
    const double nearestX =
        (std::clamp(centreX, double(x), x + 1.0) - centreX) * planeUnitsPerPixel_;
    const double nearestY =
        (std::clamp(centreY, double(y), y + 1.0) - centreY) * planeUnitsPerPixel_;
    const double silhouette = 1.0 / (kCameraDistance * kCameraDistance - 1.0);
    return nearestX * nearestX + nearestY * nearestY > silhouette * (1.0 + 1e-9);
}

} // namespace imaging
