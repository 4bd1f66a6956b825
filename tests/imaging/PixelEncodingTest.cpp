// The table behind EncodePixelValue against the curve it stands for, the double-precision
// definition with its pow: they must agree on every float, or the PNGs would change.
#include "imaging/PixelEncoding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

using namespace imaging;

namespace {

constexpr PixelEncoding kEncodings[] = {PixelEncoding::Srgb, PixelEncoding::Linear};
constexpr std::uint32_t kOneBits = 0x3F800000u;

float FloatOf(std::uint32_t bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::uint32_t BitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Where the curve crosses code - 0.5, worked out from its inverse: the code changes there.
double CodeBoundary(int code, PixelEncoding encoding) {
    const double encoded = (code - 0.5) / 255.0;
    if (encoding == PixelEncoding::Linear) {
        return encoded;
    }
    return encoded <= 12.92 * 0.0031308 ? encoded / 12.92
                                        : std::pow((encoded + 0.055) / 1.055, 2.4);
}

void ExpectAgreement(float value, PixelEncoding encoding) {
    ASSERT_EQ(EncodePixelValue(value, encoding), DefiningPixelValue(value, encoding))
        << "value " << value << " (bits 0x" << std::hex << BitsOf(value) << ")";
}

} // namespace

TEST(PixelEncodingTable, AgreesWithTheCurveAcrossEveryCodeChange) {
    for (PixelEncoding encoding : kEncodings) {
        for (int code = 1; code <= 255; ++code) {
            const std::uint32_t near = BitsOf(static_cast<float>(CodeBoundary(code, encoding)));
            for (std::uint32_t bits = near - 64; bits <= near + 64; ++bits) {
                ExpectAgreement(FloatOf(bits), encoding);
            }
        }
    }
}

TEST(PixelEncodingTable, AgreesWithTheCurveOnFloatsSpreadOverTheUnitInterval) {
    for (PixelEncoding encoding : kEncodings) {
        for (std::uint32_t bits = 0; bits <= kOneBits; bits += 997) {
            ExpectAgreement(FloatOf(bits), encoding);
        }
        ExpectAgreement(1.0f, encoding);
    }
}

TEST(PixelEncodingTable, LimitsOutOfRangeValuesAsTheCurveDoes) {
    const float limits[] = {-0.0f,
                            -1e-30f,
                            -5.0f,
                            std::numeric_limits<float>::denorm_min(),
                            std::numeric_limits<float>::min(),
                            std::nextafter(1.0f, 2.0f),
                            3.0f,
                            std::numeric_limits<float>::max(),
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(),
                            std::numeric_limits<float>::quiet_NaN()};
    for (PixelEncoding encoding : kEncodings) {
        for (float value : limits) {
            ExpectAgreement(value, encoding);
        }
    }
}

// Every float from 0 to 1, the whole domain that reaches the curve after limiting: about a
// minute, so it runs on request (--gtest_also_run_disabled_tests).
TEST(PixelEncodingTable, DISABLED_AgreesWithTheCurveOnEveryFloatFromZeroToOne) {
    for (PixelEncoding encoding : kEncodings) {
        for (std::uint32_t bits = 0; bits <= kOneBits; ++bits) {
            const float value = FloatOf(bits);
            if (EncodePixelValue(value, encoding) != DefiningPixelValue(value, encoding)) {
                ExpectAgreement(value, encoding);
            }
        }
    }
}
