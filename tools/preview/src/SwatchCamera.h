#pragma once

#include "DoublePair.h"
#include "SurfaceSample.h"

#include <cmath>
#include <optional>

namespace preview {

// Where a camera ray meets the swatch's sphere, in double precision: enough to hand the
// shading context its vectors at once and its texture coordinates only when a map asks.
struct SwatchHit {
    double rayX, rayY, rayZ;          // unit direction from the camera
    double pointX, pointY, pointZ;    // the point on the unit sphere
    double normalX, normalY, normalZ; // the point over its length, 1 up to rounding

    Vector3 View() const { return ToVector3(rayX, rayY, rayZ); }
    Vector3 Normal() const { return ToVector3(normalX, normalY, normalZ); }
    Vector3 Point() const { return ToVector3(pointX, pointY, pointZ); }
    // Spherical mapping: u runs once round the vertical axis (0.5 facing the camera), v from
    // the bottom pole (0) to the top pole (1). Costs two inverse trigonometric functions.
    Vector3 Uvw() const;

private:
    static Vector3 ToVector3(double x, double y, double z) {
        return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
    }
};

// A ray traced as one of a pair: its hit counts only where it lands.
struct TracedRay {
    SwatchHit hit;
    bool lands;
};

// The material editor's sample-slot view: a unit sphere seen by a perspective camera straight
// in front of it, the sphere filling most of the smaller image side.
class SwatchCamera {
public:
    SwatchCamera(int width, int height);

    // The ray through image position (x, y), in pixels from the top-left corner (pixel centres
    // at +0.5), where it meets the sphere. No value when it misses (background). Inline: the
    // renderer asks for every sample.
    std::optional<SwatchHit> Hit(double x, double y) const { return Landing(Intersect(x, y)); }

    // The same, with everything the shading context may ask for.
    std::optional<SurfaceSample> Trace(double x, double y) const;

    // Two rays side by side, each to the bit what Hit gives it. A ray that misses leaves its
    // hit unspecified.
    void HitPair(double x0, double y0, double x1, double y1, TracedRay& first,
                 TracedRay& second) const {
        const RayHit<DoublePair> rays = Intersect(DoublePair(x0, x1), DoublePair(y0, y1));
        rays.Store(first.hit, second.hit);
        first.lands = Lands(rays.discriminant.First());
        second.lands = Lands(rays.discriminant.Second());
    }

    // True when every ray through the pixel whose top-left corner is (x, y) misses the sphere:
    // the point of the pixel nearest the sphere's centre lies outside the silhouette by more
    // than rounding could ever move Hit's own test.
    bool MissesPixel(int x, int y) const;

    // The pixels of row y that MissesPixel does not skip: columns first to last - 1 (none when
    // they are equal). Found by bisection, as a row is missed from each end up to the sphere.
    struct Columns {
        int first, last;
    };
    Columns ColumnsToTrace(int y) const;

private:
    static constexpr double kCameraDistance = 4.0; // in sphere radii: a mild perspective

    // A ray and its hit, for one ray (double) or two side by side (DoublePair). Where the ray
    // misses, the discriminant is negative and the point is the ray's closest approach.
    template <typename Real> struct RayHit {
        Real rayX, rayY, rayZ, pointX, pointY, pointZ, normalX, normalY, normalZ, discriminant;

        // The lanes of a pair, each into its own hit.
        void Store(SwatchHit& first, SwatchHit& second) const {
            rayX.Store(first.rayX, second.rayX);
            rayY.Store(first.rayY, second.rayY);
            rayZ.Store(first.rayZ, second.rayZ);
            pointX.Store(first.pointX, second.pointX);
            pointY.Store(first.pointY, second.pointY);
            pointZ.Store(first.pointZ, second.pointZ);
            normalX.Store(first.normalX, second.normalX);
            normalY.Store(first.normalY, second.normalY);
            normalZ.Store(first.normalZ, second.normalZ);
        }
    };

    static bool Lands(double discriminant) { return !(discriminant < 0.0); }

    static std::optional<SwatchHit> Landing(const RayHit<double>& ray) {
        if (!Lands(ray.discriminant)) {
            return std::nullopt;
        }
        return SwatchHit{ray.rayX,   ray.rayY,    ray.rayZ,    ray.pointX, ray.pointY,
                         ray.pointZ, ray.normalX, ray.normalY, ray.normalZ};
    }

    template <typename Real> RayHit<Real> Intersect(Real x, Real y) const {
        const Real units(planeUnitsPerPixel_);
        const Real planeX = (x - Real(0.5 * width_)) * units;
        const Real planeY = (Real(0.5 * height_) - y) * units;
        const Real one(1.0);
        const Real rayLength = Sqrt(planeX * planeX + planeY * planeY + one);
        const Real rayX = planeX / rayLength;
        const Real rayY = planeY / rayLength;
        const Real rayZ = -one / rayLength;
        // The nearest hit of the unit sphere at the origin along the ray, if any.
        const Real distanceToCentre(kCameraDistance);
        const Real b = distanceToCentre * rayZ;
        const Real discriminant = b * b - Real(kCameraDistance * kCameraDistance - 1.0);
        const Real distance = -b - Sqrt(MaxWithZero(discriminant));
        const Real px = distance * rayX;
        const Real py = distance * rayY;
        const Real pz = distanceToCentre + distance * rayZ;
        const Real length = Sqrt(px * px + py * py + pz * pz);
        return {rayX, rayY, rayZ, px, py, pz, px / length, py / length, pz / length, discriminant};
    }

    int width_;
    int height_;
    double planeUnitsPerPixel_;
};

} // namespace preview
