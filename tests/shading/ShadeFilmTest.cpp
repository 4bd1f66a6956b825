#include "shading/ShadeFilm.h"

#include "shading/ColorAdjust.h"
#include "shading/FilmReflectance.h"

#include <gtest/gtest.h>

#include <cmath>

namespace nacreen {
namespace {

constexpr float kAbout = 0.00005f;

const FilmParams kDefaults{1.0f, 1.5f, 1.0f, 250.0f, 350.0f, 0.0f, 0.0f};

void ExpectSameColour(const Color4& a, const Color4& b) {
    EXPECT_EQ(a.r, b.r);
    EXPECT_EQ(a.g, b.g);
    EXPECT_EQ(a.b, b.b);
    EXPECT_EQ(a.a, b.a);
}

TEST(ShadeFilm, DefaultsSeenAlongTheNormal) {
    const Color4 colour =
        ShadeFilm(Vec3{0.0f, 0.0f, 1.0f}, Vec3{0.0f, 0.0f, 1.0f}, 0.0f, kDefaults, 1.0f);
    EXPECT_NEAR(colour.r, 0.0361f, kAbout);
    EXPECT_NEAR(colour.g, 0.1469f, kAbout);
    EXPECT_NEAR(colour.b, 0.1403f, kAbout);
    EXPECT_EQ(colour.a, 1.0f);
    EXPECT_NEAR(((colour.r + colour.g) + colour.b) / 3.0f, 0.1078f, kAbout);
}

TEST(ShadeFilm, BackFacesShadeLikeFrontFaces) {
    const Vec3 view{0.0f, 0.6f, 0.8f};
    const Vec3 normal{0.0f, 0.0f, 1.0f};
    const Vec3 turnedAway{0.0f, 0.0f, -1.0f};
    const FilmParams tinted{1.0f, 1.5f, 1.0f, 250.0f, 350.0f, 30.0f, 20.0f};
    ExpectSameColour(ShadeFilm(view, normal, 0.3f, tinted, 2.2f),
                     ShadeFilm(view, turnedAway, 0.3f, tinted, 2.2f));
    ExpectSameColour(ShadeFilm(Vec3{0, 0, 1}, Vec3{0, 0, 1}, 0.0f, kDefaults, 1.0f),
                     ShadeFilm(Vec3{0, 0, 1}, Vec3{0, 0, -1}, 0.0f, kDefaults, 1.0f));
}

TEST(ShadeFilm, MapValueBeyondOneExtrapolatesTheThickness) {
    // 1.5 · 350 − 0.5 · 250 = 400 nm.
    const FilmParams thick400{1.0f, 1.5f, 1.0f, 400.0f, 400.0f, 0.0f, 0.0f};
    ExpectSameColour(ShadeFilm(Vec3{0, 0, 1}, Vec3{0, 0, 1}, 1.5f, kDefaults, 1.0f),
                     ShadeFilm(Vec3{0, 0, 1}, Vec3{0, 0, 1}, 0.0f, thick400, 1.0f));
}

TEST(ShadeFilm, IsTheFilmColourThroughTheAdjustment) {
    const Vec3 view{0.48f, 0.6f, 0.64f};
    const Vec3 normal{0.0f, 0.6f, 0.8f};
    const FilmParams params{1.2f, 1.9f, 1.4f, 120.0f, 600.0f, -75.0f, 35.0f};
    const float cos0 = std::fabs((view.x * normal.x + view.y * normal.y) + view.z * normal.z);
    ExpectSameColour(ShadeFilm(view, normal, 0.4f, params, 0.7f),
                     AdjustColor(EvalFilmColor(cos0, 0.4f, params), -75.0f, 35.0f, 0.7f));
}

TEST(ShadeFilm, TotalInternalReflectionStaysWhiteUnderNeutralControls) {
    const FilmParams denseOutside{1.5f, 1.0f, 1.0f, 250.0f, 350.0f, 0.0f, 0.0f};
    ExpectSameColour(
        ShadeFilm(Vec3{0.0f, 0.8660254f, 0.5f}, Vec3{0, 0, 1}, 0.0f, denseOutside, 1.0f),
        Color4{1.0f, 1.0f, 1.0f, 1.0f});
}

} // namespace
} // namespace nacreen
