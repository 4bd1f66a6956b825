#include "shading/FilmReflectance.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace nacreen {
namespace {

constexpr float kAbout = 0.00005f; // "about" a listed value: equal to four decimals

const FilmParams kDefaultStack{1.0f, 1.5f, 1.0f, 250.0f, 350.0f, 0.0f, 0.0f};

void ExpectColourAbout(const Color4& colour, float r, float g, float b) {
    EXPECT_NEAR(colour.r, r, kAbout);
    EXPECT_NEAR(colour.g, g, kAbout);
    EXPECT_NEAR(colour.b, b, kAbout);
    EXPECT_EQ(colour.a, 1.0f);
}

TEST(FilmReflectance, DefaultStackAtNormalIncidence) {
    EXPECT_NEAR(FilmReflectance(1.0f, 650.0f, 250.0f, 1.0f, 1.5f, 1.0f), 0.0361f, kAbout);
    EXPECT_NEAR(FilmReflectance(1.0f, 510.0f, 250.0f, 1.0f, 1.5f, 1.0f), 0.1469f, kAbout);
    EXPECT_NEAR(FilmReflectance(1.0f, 475.0f, 250.0f, 1.0f, 1.5f, 1.0f), 0.1403f, kAbout);
}

TEST(EvalFilmColor, MapValueInterpolatesAndExtrapolatesTheThickness) {
    ExpectColourAbout(EvalFilmColor(1.0f, 0.0f, kDefaultStack), 0.0361f, 0.1469f, 0.1403f);
    ExpectColourAbout(EvalFilmColor(1.0f, 1.0f, kDefaultStack), 0.1318f, 0.0058f, 0.0615f);
    ExpectColourAbout(EvalFilmColor(1.0f, 0.5f, kDefaultStack), 0.1318f, 0.0730f, 0.0180f);
    ExpectColourAbout(EvalFilmColor(1.0f, 2.0f, kDefaultStack), 0.0098f, 0.1221f, 0.0378f);
}

TEST(EvalFilmColor, ObliqueView) {
    ExpectColourAbout(EvalFilmColor(0.5f, 0.0f, kDefaultStack), 0.0166f, 0.1342f, 0.1988f);
}

TEST(EvalFilmColor, TotalInternalReflectionIsExactlyWhite) {
    const FilmParams denseOutside{1.5f, 1.0f, 1.0f, 250.0f, 350.0f, 0.0f, 0.0f};
    const Color4 colour = EvalFilmColor(0.5f, 0.0f, denseOutside);
    EXPECT_EQ(colour.r, 1.0f);
    EXPECT_EQ(colour.g, 1.0f);
    EXPECT_EQ(colour.b, 1.0f);
    EXPECT_EQ(colour.a, 1.0f);
    // Reflection at the bottom of the film only: outer 1.5, film 1.6, internal 1.0.
    EXPECT_EQ(FilmReflectance(0.5f, 510.0f, 300.0f, 1.5f, 1.6f, 1.0f), 1.0f);
}

TEST(EvalFilmColor, ZeroThicknessBetweenEqualMediaReflectsNothing) {
    const FilmParams noFilm{1.0f, 1.5f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    ExpectColourAbout(EvalFilmColor(1.0f, 0.0f, noFilm), 0.0f, 0.0f, 0.0f);
}

TEST(FilmReflectance, FilmOfTheOuterIndexLeavesTheBareInterface) {
    // n1 = n0: the film is optically part of the outer medium, whatever its thickness.
    const double bare = std::pow((1.0 - 1.7) / (1.0 + 1.7), 2.0);
    for (float thickness : {0.0f, 120.0f, 333.0f, 900.0f}) {
        EXPECT_NEAR(FilmReflectance(1.0f, 510.0f, thickness, 1.0f, 1.0f, 1.7f), bare, 1e-6);
    }
}

TEST(FilmReflectance, QuarterWaveMagnesiumFluorideOnGlassIsAnAntiReflectionCoating) {
    const float wavelength = 550.0f;
    const float thickness = wavelength / (4.0f * 1.38f);
    const float reflectance = FilmReflectance(1.0f, wavelength, thickness, 1.0f, 1.38f, 1.5f);
    const double n1Squared = 1.38 * 1.38;
    const double closedForm = std::pow((1.5 - n1Squared) / (1.5 + n1Squared), 2.0);
    EXPECT_NEAR(reflectance, closedForm, 1e-5);
    EXPECT_NEAR(reflectance, 0.0141f, kAbout);
    // Bare glass reflects 0.04; the coating must reflect far less.
    EXPECT_LT(reflectance, 0.5f * FilmReflectance(1.0f, wavelength, 0.0f, 1.0f, 1.38f, 1.5f));
}

struct Stack {
    float n0, n1, n2;
};

// The film's index below, between and above the other two.
const Stack kStacks[] = {
    {1.0f, 1.5f, 1.0f},  {1.0f, 1.38f, 1.5f}, {1.33f, 1.2f, 1.6f}, {1.0f, 2.4f, 1.5f},
    {1.5f, 1.2f, 1.0f},  {1.0f, 1.3f, 1.33f}, {1.6f, 1.4f, 1.2f},  {2.0f, 1.1f, 1.9f},
    {1.2f, 3.0f, 1.45f}, {1.0f, 1.05f, 2.5f},
};

TEST(FilmReflectance, QuarterWaveFilmsMatchTheClosedForm) {
    for (const Stack& s : kStacks) {
        for (float wavelength : {475.0f, 510.0f, 650.0f}) {
            const float thickness = wavelength / (4.0f * s.n1);
            const double n02 = static_cast<double>(s.n0) * s.n2;
            const double n11 = static_cast<double>(s.n1) * s.n1;
            const double expected = std::pow((n02 - n11) / (n02 + n11), 2.0);
            EXPECT_NEAR(FilmReflectance(1.0f, wavelength, thickness, s.n0, s.n1, s.n2), expected,
                        1e-5)
                << s.n0 << " " << s.n1 << " " << s.n2 << " at " << wavelength;
        }
    }
}

TEST(FilmReflectance, HalfWaveFilmsReflectLikeTheBareInterface) {
    for (const Stack& s : kStacks) {
        for (float wavelength : {475.0f, 510.0f, 650.0f}) {
            const float thickness = wavelength / (2.0f * s.n1);
            const double expected = std::pow(
                (static_cast<double>(s.n0) - s.n2) / (static_cast<double>(s.n0) + s.n2), 2.0);
            EXPECT_NEAR(FilmReflectance(1.0f, wavelength, thickness, s.n0, s.n1, s.n2), expected,
                        1e-5)
                << s.n0 << " " << s.n1 << " " << s.n2 << " at " << wavelength;
        }
    }
}

TEST(FilmReflectance, NormalIncidenceMatchesTheTwoInterfaceFormula) {
    constexpr double kPiDouble = 3.141592653589793;
    for (const Stack& s : kStacks) {
        const double r01 = (static_cast<double>(s.n0) - s.n1) / (static_cast<double>(s.n0) + s.n1);
        const double r12 = (static_cast<double>(s.n1) - s.n2) / (static_cast<double>(s.n1) + s.n2);
        for (float thickness = 0.0f; thickness <= 1200.0f; thickness += 37.0f) {
            for (float wavelength : {400.0f, 475.0f, 510.0f, 650.0f, 700.0f}) {
                const double phi = 4.0 * kPiDouble * s.n1 * thickness / wavelength;
                const double cross = 2.0 * r01 * r12 * std::cos(phi);
                const double expected =
                    (r01 * r01 + r12 * r12 + cross) / (1.0 + r01 * r01 * r12 * r12 + cross);
                EXPECT_NEAR(FilmReflectance(1.0f, wavelength, thickness, s.n0, s.n1, s.n2),
                            expected, 1e-5)
                    << s.n0 << " " << s.n1 << " " << s.n2 << " d " << thickness << " at "
                    << wavelength;
            }
        }
    }
}

TEST(FilmReflectance, GrazingViewReflectsEverything) {
    for (const Stack& s : kStacks) {
        EXPECT_EQ(FilmReflectance(0.0f, 510.0f, 300.0f, s.n0, s.n1, s.n2), 1.0f);
        // So close to grazing that the beam ratio overflows single precision.
        EXPECT_EQ(FilmReflectance(FLT_TRUE_MIN, 510.0f, 300.0f, s.n0, s.n1, s.n2), 1.0f);
        EXPECT_EQ(FilmReflectance(1e-39f, 510.0f, 300.0f, s.n0, s.n1, s.n2), 1.0f);
        // Just above grazing the physics already tends to full reflection.
        EXPECT_NEAR(FilmReflectance(1e-6f, 510.0f, 300.0f, s.n0, s.n1, s.n2), 1.0f, 1e-4f);
    }
    // The outer medium and the internal material alike: cos2 is 0 as well at grazing.
    EXPECT_EQ(FilmReflectance(0.0f, 650.0f, 0.0f, 1.0f, 1.5f, 1.0f), 1.0f);
}

TEST(FilmReflectance, ReflectanceGrowsTowardsGrazingOnAverage) {
    // Averaged over thickness, a film reflects more at steeper angles.
    auto averaged = [](float cos0) {
        double sum = 0.0;
        for (float d = 0.0f; d < 2000.0f; d += 5.0f) {
            sum += FilmReflectance(cos0, 510.0f, d, 1.0f, 1.5f, 1.0f);
        }
        return sum / 400.0;
    };
    EXPECT_LT(averaged(1.0f), averaged(0.5f));
    EXPECT_LT(averaged(0.5f), averaged(0.1f));
}

} // namespace
} // namespace nacreen
