#include "shading/ColorAdjust.h"

#include "shading/FilmReflectance.h"

#include <gtest/gtest.h>

namespace nacreen {
namespace {

constexpr float kAbout = 0.00005f; // "about": equal to four decimals
constexpr float kRounding = 1e-6f; // "within rounding"

// The default film colour at normal incidence, about (0.0361, 0.1469, 0.1403).
Color4 FilmColour() {
    return EvalFilmColor(1.0f, 0.0f, FilmParams{1.0f, 1.5f, 1.0f, 250.0f, 350.0f, 0.0f, 0.0f});
}

void ExpectRgbNear(const Color4& colour, float r, float g, float b, float tolerance) {
    EXPECT_NEAR(colour.r, r, tolerance);
    EXPECT_NEAR(colour.g, g, tolerance);
    EXPECT_NEAR(colour.b, b, tolerance);
}

TEST(AdjustColor, NoAdjustmentKeepsTheFilmColour) {
    const Color4 film = FilmColour();
    const Color4 adjusted = AdjustColor(film, 0.0f, 0.0f, 1.0f);
    ExpectRgbNear(adjusted, film.r, film.g, film.b, kRounding);
    ExpectRgbNear(adjusted, 0.0361f, 0.1469f, 0.1403f, kAbout);
    EXPECT_EQ(adjusted.a, 1.0f);
}

TEST(AdjustColor, HueShiftOf120MovesEachChannelToTheNext) {
    const Color4 film = FilmColour();
    ExpectRgbNear(AdjustColor(film, 120.0f, 0.0f, 1.0f), film.b, film.r, film.g, kRounding);
    ExpectRgbNear(AdjustColor(Color4{1.0f, 0.0f, 0.0f, 1.0f}, 120.0f, 0.0f, 1.0f), 0.0f, 1.0f, 0.0f,
                  kRounding);
    // −120 goes the other way round.
    ExpectRgbNear(AdjustColor(film, -120.0f, 0.0f, 1.0f), film.g, film.b, film.r, kRounding);
}

TEST(AdjustColor, FullSaturationCutGivesGreyAtTheLightness) {
    ExpectRgbNear(AdjustColor(FilmColour(), 0.0f, -100.0f, 1.0f), 0.0915f, 0.0915f, 0.0915f,
                  kAbout);
}

TEST(AdjustColor, SaturatingAGreyTintsItRed) {
    ExpectRgbNear(AdjustColor(Color4{0.5f, 0.5f, 0.5f, 1.0f}, 0.0f, 50.0f, 1.0f), 0.75f, 0.25f,
                  0.25f, kRounding);
}

TEST(AdjustColor, SaturationAboveOneIsNotLimited) {
    ExpectRgbNear(AdjustColor(Color4{0.2f, 0.4f, 0.6f, 1.0f}, 0.0f, 100.0f, 1.0f), 0.0f, 0.4f, 1.0f,
                  kRounding);
}

TEST(AdjustColor, GammaTwoSquaresTheChannels) {
    ExpectRgbNear(AdjustColor(FilmColour(), 0.0f, 0.0f, 2.0f), 0.0013f, 0.0216f, 0.0197f, kAbout);
    // Above 1 darkens, below 1 lightens.
    const Color4 grey{0.25f, 0.25f, 0.25f, 1.0f};
    EXPECT_NEAR(AdjustColor(grey, 0.0f, 0.0f, 0.5f).r, 0.5f, kRounding);
}

TEST(AdjustColor, PureRedKeepsAHairOfBlue) {
    const Color4 red = AdjustColor(Color4{1.0f, 0.0f, 0.0f, 1.0f}, 0.0f, 0.0f, 1.0f);
    EXPECT_EQ(red.r, 1.0f);
    EXPECT_EQ(red.g, 0.0f);
    // −1/3 wraps to a float a hair below 0.6666667, on the falling edge of the blue channel.
    const float hairBelowTwoThirds = 0.666666627f;
    const float expectedBlue =
        static_cast<float>((0.6666666666666666 - static_cast<double>(hairBelowTwoThirds)) * 6.0);
    EXPECT_EQ(red.b, expectedBlue);
    EXPECT_NEAR(red.b, 0.00000024f, 0.000000005f);
    EXPECT_EQ(red.a, 1.0f);
}

TEST(AdjustColor, AlphaIsCarriedOverAndClamped) {
    EXPECT_EQ(AdjustColor(Color4{0.2f, 0.4f, 0.6f, 0.3f}, 40.0f, 10.0f, 2.2f).a, 0.3f);
    EXPECT_EQ(AdjustColor(Color4{0.2f, 0.4f, 0.6f, 7.0f}, 0.0f, 0.0f, 1.0f).a, 1.0f);
    EXPECT_EQ(AdjustColor(Color4{0.2f, 0.4f, 0.6f, -7.0f}, 0.0f, 0.0f, 1.0f).a, 0.0f);
}

TEST(RgbToHsl, KnownColours) {
    const Hsl red = RgbToHsl(1.0f, 0.0f, 0.0f);
    EXPECT_EQ(red.h, 0.0f);
    EXPECT_EQ(red.s, 1.0f);
    EXPECT_EQ(red.l, 0.5f);
    EXPECT_FLOAT_EQ(RgbToHsl(0.0f, 0.0f, 1.0f).h, 240.0f);
    EXPECT_FLOAT_EQ(RgbToHsl(1.0f, 0.0f, 1.0f).h, 300.0f);
    const Hsl steel = RgbToHsl(0.2f, 0.4f, 0.6f);
    EXPECT_FLOAT_EQ(steel.h, 210.0f);
    EXPECT_FLOAT_EQ(steel.s, 0.5f);
    EXPECT_FLOAT_EQ(steel.l, 0.4f);
    // Light colours take the other saturation formula.
    EXPECT_FLOAT_EQ(RgbToHsl(0.6f, 0.8f, 1.0f).s, 1.0f);
    // A grey has no hue and no saturation.
    const Hsl grey = RgbToHsl(0.3f, 0.3f, 0.3f);
    EXPECT_EQ(grey.h, 0.0f);
    EXPECT_EQ(grey.s, 0.0f);
}

TEST(RgbToHsl, RoundTripsThroughHslToRgb) {
    for (float r = 0.0f; r <= 1.0f; r += 0.125f) {
        for (float g = 0.0f; g <= 1.0f; g += 0.125f) {
            for (float b = 0.0f; b <= 1.0f; b += 0.125f) {
                const Hsl hsl = RgbToHsl(r, g, b);
                const Color4 back = HslToRgb(hsl.h, hsl.s, hsl.l);
                EXPECT_NEAR(back.r, r, 2e-6f) << r << " " << g << " " << b;
                EXPECT_NEAR(back.g, g, 2e-6f) << r << " " << g << " " << b;
                EXPECT_NEAR(back.b, b, 2e-6f) << r << " " << g << " " << b;
                EXPECT_EQ(back.a, 1.0f);
            }
        }
    }
}

TEST(HueToChannel, FollowsTheFourSegmentsOfTheTurn) {
    const float p = 0.2f;
    const float q = 0.8f;
    EXPECT_FLOAT_EQ(HueToChannel(p, q, 0.0f), p);
    EXPECT_FLOAT_EQ(HueToChannel(p, q, 1.0f / 12.0f), 0.5f); // rising edge
    EXPECT_FLOAT_EQ(HueToChannel(p, q, 0.25f), q);           // plateau
    EXPECT_FLOAT_EQ(HueToChannel(p, q, 7.0f / 12.0f), 0.5f); // falling edge
    EXPECT_FLOAT_EQ(HueToChannel(p, q, 0.8f), p);            // floor
    // Outside [0, 1) the fraction wraps first.
    EXPECT_FLOAT_EQ(HueToChannel(p, q, 1.25f), q);
    EXPECT_FLOAT_EQ(HueToChannel(p, q, -0.75f), q);
}

} // namespace
} // namespace nacreen
