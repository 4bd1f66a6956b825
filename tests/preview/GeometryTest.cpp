#include "SwatchCamera.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace preview;

namespace {

float Dot(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
float Length(const Vector3& v) {
    return std::sqrt(Dot(v, v));
}

} // namespace

TEST(SwatchCamera, CentreLooksStraightAtTheSphere) {
    const SwatchCamera camera(512, 512);
    const auto centre = camera.Trace(256.0, 256.0);
    ASSERT_TRUE(centre.has_value());
    EXPECT_FLOAT_EQ(centre->normal.z, 1.0f);
    EXPECT_FLOAT_EQ(centre->view.z, -1.0f);
    EXPECT_FLOAT_EQ(centre->uvw.x, 0.5f);
    EXPECT_FLOAT_EQ(centre->uvw.y, 0.5f);
}

TEST(SwatchCamera, EveryHitIsAFrontFaceWithUnitVectors) {
    const SwatchCamera camera(64, 48);
    int hits = 0;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            const auto sample = camera.Trace(x + 0.5, y + 0.5);
            if (!sample) {
                continue;
            }
            ++hits;
            EXPECT_NEAR(Length(sample->normal), 1.0f, 1e-6f);
            EXPECT_NEAR(Length(sample->view), 1.0f, 1e-6f);
            EXPECT_LT(Dot(sample->view, sample->normal), 0.0f);
            EXPECT_GE(sample->uvw.x, 0.0f);
            EXPECT_LE(sample->uvw.x, 1.0f);
        }
    }
    EXPECT_GT(hits, 0);
}

TEST(SwatchCamera, SphereFillsMostOfTheSmallerSideOnABackground) {
    const SwatchCamera camera(300, 200);
    EXPECT_FALSE(camera.Trace(0.5, 0.5).has_value());
    EXPECT_FALSE(camera.Trace(150.0, 1.0).has_value());
    EXPECT_TRUE(camera.Trace(150.0, 12.0).has_value());
    EXPECT_FALSE(camera.Trace(40.0, 100.0).has_value());
    // Upper half of the image is the upper half of the sphere.
    EXPECT_GT(camera.Trace(150.0, 50.0)->normal.y, 0.0f);
    EXPECT_GT(camera.Trace(150.0, 50.0)->uvw.y, 0.5f);
}

TEST(SwatchCamera, RimIsGrazingButStillFinite) {
    const SwatchCamera camera(1000, 1000);
    double lastHit = 500.0;
    for (double x = 500.0; x < 1000.0; x += 0.01) {
        if (!camera.Trace(x, 500.0)) {
            break;
        }
        lastHit = x;
    }
    const auto rim = camera.Trace(lastHit, 500.0);
    ASSERT_TRUE(rim.has_value());
    EXPECT_LT(std::abs(Dot(rim->view, rim->normal)), 0.05f);
    EXPECT_TRUE(std::isfinite(rim->normal.x));
}

TEST(SwatchCamera, APixelCalledMissedHasNoSampleOnTheSphereAndRowsSkipOnlySuchPixels) {
    for (const auto& [width, height] : {std::pair{64, 48}, std::pair{33, 57}, std::pair{512, 512},
                                        std::pair{16, 300}, std::pair{301, 16}}) {
        const SwatchCamera camera(width, height);
        int missed = 0;
        for (int y = 0; y < height; ++y) {
            const SwatchCamera::Columns columns = camera.ColumnsToTrace(y);
            for (int x = 0; x < width; ++x) {
                ASSERT_EQ(camera.MissesPixel(x, y), x < columns.first || x >= columns.last)
                    << x << ", " << y;
                if (!camera.MissesPixel(x, y)) {
                    continue;
                }
                ++missed;
                for (const double d : {1e-9, 0.25, 0.5, 0.75, 1.0 - 1e-9}) {
                    for (const double e : {1e-9, 0.5, 1.0 - 1e-9}) {
                        ASSERT_FALSE(camera.Hit(x + d, y + e)) << x << ", " << y;
                        ASSERT_FALSE(camera.Hit(x + e, y + d)) << x << ", " << y;
                    }
                }
            }
        }
        // The corners are background; the centre and most of the sphere are not skipped.
        EXPECT_TRUE(camera.MissesPixel(0, 0));
        EXPECT_FALSE(camera.MissesPixel(width / 2, height / 2));
        EXPECT_GT(missed, width * height / 5);
    }
}
