// The shipped core shares work between channels and skips a power of 1; none of that may change
// a single bit. Each operation is compared with the step-by-step reference over generated inputs.

#include "shading/ColorAdjust.h"
#include "shading/FilmReflectance.h"
#include "shading/ShadeFilm.h"

#include "ReferenceShading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

namespace nacreen {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

std::uint32_t Bits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

::testing::AssertionResult SameBits(const Color4& actual, const Color4& expected) {
    if (Bits(actual.r) == Bits(expected.r) && Bits(actual.g) == Bits(expected.g) &&
        Bits(actual.b) == Bits(expected.b) && Bits(actual.a) == Bits(expected.a)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "core (" << actual.r << ", " << actual.g << ", " << actual.b << ", " << actual.a
           << ") reference (" << expected.r << ", " << expected.g << ", " << expected.b << ", "
           << expected.a << ")";
}

class Sweep {
public:
    explicit Sweep(unsigned seed) : random_(seed) {}

    float Uniform(float lo, float hi) {
        return std::uniform_real_distribution<float>(lo, hi)(random_);
    }

    // Mostly the usual range, sometimes one of its edges, rarely a non-finite value.
    float Value(float lo, float hi) {
        switch (random_() % 32) {
        case 0:
            return lo;
        case 1:
            return hi;
        case 2:
            return kNaN;
        case 3:
            return random_() % 2 ? kInfinity : -kInfinity;
        default:
            return Uniform(lo, hi);
        }
    }

    float Cosine() {
        switch (random_() % 16) {
        case 0:
            return 0.0f;
        case 1:
            return 1.0f;
        default:
            return Uniform(0.0f, 1.0f);
        }
    }

    float Index() { return random_() % 8 == 0 ? Uniform(0.2f, 100.0f) : Uniform(0.8f, 3.0f); }

    float Gamma() { return random_() % 4 == 0 ? 1.0f : Value(0.05f, 20.0f); }

    FilmParams Params() {
        return FilmParams{Index(),
                          Index(),
                          Index(),
                          Value(0.0f, 2000.0f),
                          Value(0.0f, 2000.0f),
                          Value(-540.0f, 540.0f),
                          Value(-100.0f, 100.0f)};
    }

    Vec3 Direction() {
        const float z = Uniform(-1.0f, 1.0f);
        const float angle = Uniform(0.0f, 6.2831855f);
        const float radius = std::sqrt(1.0f - z * z);
        return Vec3{radius * std::cos(angle), radius * std::sin(angle), z};
    }

    unsigned Next() { return random_(); }

private:
    std::mt19937 random_;
};

TEST(ReferenceAgreement, FilmReflectanceBitForBit) {
    Sweep sweep(21u);
    for (int i = 0; i < 300000; ++i) {
        const float cos0 = sweep.Cosine();
        const float wavelength = sweep.Uniform(380.0f, 780.0f);
        const float thickness = sweep.Value(-500.0f, 3000.0f);
        const float n0 = sweep.Index();
        const float n1 = sweep.Index();
        const float n2 = sweep.Index();
        const float core = FilmReflectance(cos0, wavelength, thickness, n0, n1, n2);
        const float ref = reference::FilmReflectance(cos0, wavelength, thickness, n0, n1, n2);
        ASSERT_EQ(Bits(core), Bits(ref))
            << cos0 << " " << wavelength << " " << thickness << " " << n0 << " " << n1 << " " << n2;
    }
}

TEST(ReferenceAgreement, EvalFilmColorBitForBit) {
    Sweep sweep(22u);
    for (int i = 0; i < 300000; ++i) {
        const float cos0 = sweep.Cosine();
        const float mapValue = sweep.Value(-1.0f, 2.0f);
        const FilmParams params = sweep.Params();
        ASSERT_TRUE(SameBits(EvalFilmColor(cos0, mapValue, params),
                             reference::EvalFilmColor(cos0, mapValue, params)))
            << "cos0 " << cos0 << " map " << mapValue;
    }
}

TEST(ReferenceAgreement, AdjustColorBitForBit) {
    Sweep sweep(23u);
    for (int i = 0; i < 300000; ++i) {
        // Colours beyond [0, 1] reach the lightness-above-one branches of the conversions.
        const Color4 colour{sweep.Value(-0.2f, 1.5f), sweep.Value(-0.2f, 1.5f),
                            sweep.Value(-0.2f, 1.5f), sweep.Value(0.0f, 1.0f)};
        const float hue = sweep.Value(-540.0f, 540.0f);
        const float saturation = sweep.Value(-100.0f, 100.0f);
        const float gamma = sweep.Gamma();
        ASSERT_TRUE(SameBits(AdjustColor(colour, hue, saturation, gamma),
                             reference::AdjustColor(colour, hue, saturation, gamma)))
            << "(" << colour.r << ", " << colour.g << ", " << colour.b << ") hue " << hue << " sat "
            << saturation << " gamma " << gamma;
    }
}

TEST(ReferenceAgreement, ShadeFilmBitForBitOnRandomSamples) {
    Sweep sweep(24u);
    for (int i = 0; i < 300000; ++i) {
        const Vec3 view = sweep.Direction();
        const Vec3 normal = sweep.Direction();
        const float mapValue = sweep.Value(-1.0f, 2.0f);
        const FilmParams params = sweep.Params();
        const float gamma = sweep.Gamma();
        ASSERT_TRUE(SameBits(ShadeFilm(view, normal, mapValue, params, gamma),
                             reference::ShadeFilm(view, normal, mapValue, params, gamma)));
    }
}

TEST(ReferenceAgreement, ShadeFilmBitForBitAcrossASphere) {
    // Every angle from head-on to grazing, as a rendered sphere shows them.
    const FilmParams params{1.0f, 1.45f, 1.33f, 180.0f, 900.0f, 35.0f, 25.0f};
    const Vec3 view{0.0f, 0.0f, 1.0f};
    constexpr int kSide = 400;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const float u = (x + 0.5f) / kSide * 2.0f - 1.0f;
            const float v = (y + 0.5f) / kSide * 2.0f - 1.0f;
            const float rr = u * u + v * v;
            if (rr > 1.0f) {
                continue;
            }
            const Vec3 normal{u, v, std::sqrt(1.0f - rr)};
            const float mapValue = 0.5f + 0.5f * u;
            for (float gamma : {1.0f, 2.2f}) {
                ASSERT_TRUE(SameBits(ShadeFilm(view, normal, mapValue, params, gamma),
                                     reference::ShadeFilm(view, normal, mapValue, params, gamma)))
                    << x << " " << y;
            }
        }
    }
}

TEST(ReferenceAgreement, ColourConversionsBitForBit) {
    Sweep sweep(25u);
    for (int i = 0; i < 200000; ++i) {
        const float r = sweep.Value(-0.5f, 1.5f);
        const float g = sweep.Value(-0.5f, 1.5f);
        const float b = sweep.Value(-0.5f, 1.5f);
        const Hsl hsl = RgbToHsl(r, g, b);
        const reference::HslValue ref = reference::RgbToHsl(r, g, b);
        ASSERT_EQ(Bits(hsl.h), Bits(ref.h));
        ASSERT_EQ(Bits(hsl.s), Bits(ref.s));
        ASSERT_EQ(Bits(hsl.l), Bits(ref.l));

        const float h = sweep.Value(-720.0f, 720.0f);
        const float s = sweep.Value(0.0f, 2.0f);
        const float l = sweep.Value(0.0f, 1.5f);
        ASSERT_TRUE(SameBits(HslToRgb(h, s, l), reference::HslToRgb(h, s, l)))
            << h << " " << s << " " << l;

        const float p = sweep.Value(-0.5f, 1.5f);
        const float q = sweep.Value(-0.5f, 1.5f);
        const float t = sweep.Value(-3.0f, 3.0f);
        ASSERT_EQ(Bits(HueToChannel(p, q, t)), Bits(reference::HueToChannel(p, q, t)));
    }
}

TEST(ReferenceAgreement, GammaOneSkipsThePowerWithoutChangingBits) {
    // Every float in [0, 1] that the hue conversion can hand on, sampled densely.
    for (std::uint32_t bits = 0; bits <= 0x3f800000u; bits += 997u) {
        float value;
        std::memcpy(&value, &bits, sizeof value);
        ASSERT_EQ(Bits(std::pow(value, 1.0f)), Bits(value)) << value;
    }
}

} // namespace
} // namespace nacreen
