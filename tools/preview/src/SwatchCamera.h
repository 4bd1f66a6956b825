#pragma once

#include "SurfaceSample.h"

#include <cmath>
#include <optional>

namespace preview {

// Where a camera ray meets the swatch's sphere, in double precision: enough to hand the
// shading context its vectors at once and its texture coordinates only when a map asks.
struct SwatchHit {
    double rayX, rayY, rayZ;       // unit direction from the camera
    double pointX, pointY, pointZ; // the point on the unit sphere
    double length;                 // |point|, 1 up to rounding

    Vector3 View() const { return ToVector3(rayX, rayY, rayZ); }
    Vector3 Normal() const { return ToVector3(pointX / length, pointY / length, pointZ / length); }
    Vector3 Point() const { return ToVector3(pointX, pointY, pointZ); }
    // Spherical mapping: u runs once round the vertical axis (0.5 facing the camera), v from
    // the bottom pole (0) to the top pole (1). Costs two inverse trigonometric functions.
    Vector3 Uvw() const;

private:
    static Vector3 ToVector3(double x, double y, double z) {
        return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
    }
};

// The material editor's sample-slot view: a unit sphere seen by a perspective camera straight
// in front of it, the sphere filling most of the smaller image side.
class SwatchCamera {
public:
    SwatchCamera(int width, int height);

    // The ray through image position (x, y), in pixels from the top-left corner (pixel centres
    // at +0.5), where it meets the sphere. No value when it misses (background). Inline: the
    // renderer asks for every sample.
    std::optional<SwatchHit> Hit(double x, double y) const {
        const double planeX = (x - 0.5 * width_) * planeUnitsPerPixel_;
        const double planeY = (0.5 * height_ - y) * planeUnitsPerPixel_;
        const double rayLength = std::sqrt(planeX * planeX + planeY * planeY + 1.0);
        const double rayX = planeX / rayLength;
        const double rayY = planeY / rayLength;
        const double rayZ = -1.0 / rayLength;
        // The nearest hit of the unit sphere at the origin along the ray, if any.
        const double b = kCameraDistance * rayZ;
        const double discriminant = b * b - (kCameraDistance * kCameraDistance - 1.0);
        if (discriminant < 0.0) {
            return std::nullopt;
        }
        const double distance = -b - std::sqrt(discriminant);
        const double px = distance * rayX;
        const double py = distance * rayY;
        const double pz = kCameraDistance + distance * rayZ;
        return SwatchHit{rayX, rayY, rayZ, px, py, pz, std::sqrt(px * px + py * py + pz * pz)};
    }

    // True when every ray through the pixel whose top-left corner is (x, y) misses the sphere:
    // the point of the pixel nearest the sphere's centre lies outside the silhouette by more
    // than rounding could ever move Hit's own test.
    bool MissesPixel(int x, int y) const;

    // The same, with everything the shading context may ask for.
    std::optional<SurfaceSample> Trace(double x, double y) const;

private:
    static constexpr double kCameraDistance = 4.0; // in sphere radii: a mild perspective

    int width_;
    int height_;
    double planeUnitsPerPixel_;
};

} // namespace preview
