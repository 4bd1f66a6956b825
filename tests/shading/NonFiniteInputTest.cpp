// Whatever reaches the shading core, the host gets a finite colour with every channel in [0, 1].

#include "shading/ColorAdjust.h"
#include "shading/FilmReflectance.h"
#include "shading/ShadeFilm.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

namespace nacreen {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

const float kAwkward[] = {kNaN,         -kNaN,   kInfinity, -kInfinity, 0.0f,   -0.0f,
                          FLT_TRUE_MIN, FLT_MIN, FLT_MAX,   -FLT_MAX,   1e30f,  -1e30f,
                          1.0f,         -1.0f,   0.5f,      2.0f,       360.0f, -100.0f};

// Draws an awkward value a quarter of the time and a value from the usual range otherwise.
class InputDrawer {
public:
    explicit InputDrawer(unsigned seed) : random_(seed) {}

    float Draw(float lo, float hi) {
        if (random_() % 4 == 0) {
            return kAwkward[random_() % (sizeof kAwkward / sizeof kAwkward[0])];
        }
        return std::uniform_real_distribution<float>(lo, hi)(random_);
    }

private:
    std::mt19937 random_;
};

::testing::AssertionResult InUnitRange(const Color4& colour) {
    for (float channel : {colour.r, colour.g, colour.b, colour.a}) {
        if (!(channel >= 0.0f && channel <= 1.0f)) {
            return ::testing::AssertionFailure() << "(" << colour.r << ", " << colour.g << ", "
                                                 << colour.b << ", " << colour.a << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

FilmParams DrawParams(InputDrawer& draw) {
    return FilmParams{draw.Draw(0.2f, 3.0f),     draw.Draw(0.2f, 3.0f),
                      draw.Draw(0.2f, 3.0f),     draw.Draw(0.0f, 2000.0f),
                      draw.Draw(0.0f, 2000.0f),  draw.Draw(-180.0f, 180.0f),
                      draw.Draw(-100.0f, 100.0f)};
}

TEST(NonFiniteInput, FilmColourStaysInUnitRange) {
    InputDrawer draw(11u);
    for (int i = 0; i < 100000; ++i) {
        const float cos0 = draw.Draw(0.0f, 1.0f);
        const float mapValue = draw.Draw(-1.0f, 2.0f);
        const FilmParams params = DrawParams(draw);
        ASSERT_TRUE(InUnitRange(EvalFilmColor(cos0, mapValue, params)))
            << "cos0 " << cos0 << " map " << mapValue;
    }
}

TEST(NonFiniteInput, AdjustedColourStaysInUnitRange) {
    InputDrawer draw(12u);
    for (int i = 0; i < 100000; ++i) {
        const Color4 colour{draw.Draw(0.0f, 1.0f), draw.Draw(0.0f, 1.0f), draw.Draw(0.0f, 1.0f),
                            draw.Draw(0.0f, 1.0f)};
        const float hue = draw.Draw(-180.0f, 180.0f);
        const float saturation = draw.Draw(-100.0f, 100.0f);
        const float gamma = draw.Draw(0.05f, 20.0f);
        ASSERT_TRUE(InUnitRange(AdjustColor(colour, hue, saturation, gamma)))
            << "hue " << hue << " sat " << saturation << " gamma " << gamma;
    }
}

TEST(NonFiniteInput, ShadedColourStaysInUnitRange) {
    InputDrawer draw(13u);
    for (int i = 0; i < 100000; ++i) {
        const Vec3 view{draw.Draw(-1.0f, 1.0f), draw.Draw(-1.0f, 1.0f), draw.Draw(-1.0f, 1.0f)};
        const Vec3 normal{draw.Draw(-1.0f, 1.0f), draw.Draw(-1.0f, 1.0f), draw.Draw(-1.0f, 1.0f)};
        const float mapValue = draw.Draw(-1.0f, 2.0f);
        const FilmParams params = DrawParams(draw);
        const float gamma = draw.Draw(0.05f, 20.0f);
        ASSERT_TRUE(InUnitRange(ShadeFilm(view, normal, mapValue, params, gamma)));
    }
}

TEST(NonFiniteInput, DegenerateVectorsAndNaNMapValue) {
    const FilmParams defaults{1.0f, 1.5f, 1.0f, 250.0f, 350.0f, 0.0f, 0.0f};
    const Vec3 up{0.0f, 0.0f, 1.0f};
    const Vec3 zero{0.0f, 0.0f, 0.0f};
    const Vec3 nanVector{kNaN, kNaN, kNaN};
    const Vec3 infiniteVector{kInfinity, 0.0f, -kInfinity};

    // A zero vector looks along the surface: the grazing limit, full reflection.
    const Color4 grazing = ShadeFilm(zero, up, 0.0f, defaults, 1.0f);
    EXPECT_EQ(grazing.r, 1.0f);
    EXPECT_EQ(grazing.g, 1.0f);
    EXPECT_EQ(grazing.b, 1.0f);
    EXPECT_EQ(grazing.a, 1.0f);

    // No meaningful angle or thickness: NaN channels become 0, black with full alpha.
    for (const Color4& colour :
         {ShadeFilm(nanVector, up, 0.0f, defaults, 1.0f),
          ShadeFilm(up, infiniteVector, 0.0f, defaults, 1.0f),
          ShadeFilm(up, up, kNaN, defaults, 1.0f), ShadeFilm(up, up, kInfinity, defaults, 1.0f)}) {
        EXPECT_EQ(colour.r, 0.0f);
        EXPECT_EQ(colour.g, 0.0f);
        EXPECT_EQ(colour.b, 0.0f);
        EXPECT_EQ(colour.a, 1.0f);
    }
}

TEST(NonFiniteInput, NaNControlsGiveFiniteColours) {
    const Color4 film{0.0361f, 0.1469f, 0.1403f, 1.0f};
    EXPECT_TRUE(InUnitRange(AdjustColor(film, kNaN, 0.0f, 1.0f)));
    EXPECT_TRUE(InUnitRange(AdjustColor(film, 0.0f, kNaN, 1.0f)));
    EXPECT_TRUE(InUnitRange(AdjustColor(film, 0.0f, 0.0f, kNaN)));
    EXPECT_TRUE(InUnitRange(AdjustColor(film, 1e30f, -1e30f, kInfinity)));
    EXPECT_TRUE(InUnitRange(AdjustColor(Color4{kNaN, kNaN, kNaN, kNaN}, 0.0f, 0.0f, 1.0f)));
}

TEST(Color4, ClampMinMaxMapsNaNToZeroAndKeepsTheRest) {
    Color4 colour{kNaN, -kInfinity, 0.25f, kInfinity};
    colour.ClampMinMax();
    EXPECT_EQ(colour.r, 0.0f);
    EXPECT_EQ(colour.g, 0.0f);
    EXPECT_EQ(colour.b, 0.25f);
    EXPECT_EQ(colour.a, 1.0f);
    Color4 edges{-0.0f, 1.0f, -1e-9f, 1.0000001f};
    edges.ClampMinMax();
    EXPECT_TRUE(std::signbit(edges.r)); // a plain clamp keeps −0 as it is
    EXPECT_EQ(edges.g, 1.0f);
    EXPECT_EQ(edges.b, 0.0f);
    EXPECT_EQ(edges.a, 1.0f);
}

} // namespace
} // namespace nacreen
