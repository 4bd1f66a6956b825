// The material editor's sample-slot view: a unit sphere seen by a perspective camera straight
// in front of it, the sphere filling most of the smaller image side.
#pragma once

#include <cmath>
#include <optional>

namespace imaging {

struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// Where a camera ray meets the sphere, in double precision. The shading context takes the
// vectors in single precision; the texture coordinates cost two inverse trigonometric
// functions, so they are worked out only when a map asks for them.
struct SwatchHit {
    double rayX, rayY, rayZ;          // unit direction from the camera (the camera looks down -z)
    double pointX, pointY, pointZ;    // the point on the unit sphere
    double normalX, normalY, normalZ; // the point over its length, 1 up to rounding

    Vector3 View() const { return {float(rayX), float(rayY), float(rayZ)}; }
    Vector3 Normal() const { return {float(normalX), float(normalY), float(normalZ)}; }
    Vector3 Point() const { return {float(pointX), float(pointY), float(pointZ)}; }
    // Spherical mapping: u runs once round the vertical axis (0.5 facing the camera), v from
    // the bottom pole (0) to the top pole (1).
    Vector3 Uvw() const;
};

class SwatchCamera {
public:
    SwatchCamera(int width, int height);

    // The ray through image position (x, y), in pixels from the top-left corner (pixel centres
    // at +0.5), where it meets the sphere; no value where it misses (the background). Inline:
    // a swatch asks for millions.
    std::optional<SwatchHit> Hit(double x, double y) const;

    // True when every ray through the pixel whose top-left corner is (x, y) misses: the point of
    // the pixel nearest the sphere's centre lies outside the silhouette by far more than
    // rounding could ever move Hit's own test.
    bool MissesPixel(int x, int y) const;

private:
    static constexpr double kCameraDistance = 4.0; // in sphere radii: a mild perspective

    int width_;
    int height_;
    double planeUnitsPerPixel_;
};

inline std::optional<SwatchHit> SwatchCamera::Hit(double x, double y) const {
    const double planeX = (x - 0.5 * width_) * planeUnitsPerPixel_;
    const double planeY = (0.5 * height_ - y) * planeUnitsPerPixel_;
    const double rayLength = std::sqrt(planeX * planeX + planeY * planeY + 1.0);
    const double rayX = planeX / rayLength;
    const double rayY = planeY / rayLength;
    const double rayZ = -1.0 / rayLength;
    // The nearer hit of the unit sphere at the origin along the ray, if any.
    const double b = kCameraDistance * rayZ;
    const double discriminant = b * b - (kCameraDistance * kCameraDistance - 1.0);
    if (discriminant < 0.0) {
        return std::nullopt;
    }
    const double distance = -b - std::sqrt(discriminant > 0.0 ? discriminant : 0.0);
    const double px = distance * rayX;
    const double py = distance * rayY;
    const double pz = kCameraDistance + distance * rayZ;
    const double length = std::sqrt(px * px + py * py + pz * pz);
    return SwatchHit{rayX, rayY, rayZ, px, py, pz, px / length, py / length, pz / length};
}

} // namespace imaging
