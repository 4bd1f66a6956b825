#include "shading/WrapToRange.h"

#include "ReferenceShading.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

namespace nacreen {
namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

std::uint32_t Bits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST(WrapToRange, ListedValues) {
    EXPECT_EQ(WrapToRange(-30.0f, 0.0f, 360.0f), 330.0f);
    EXPECT_EQ(WrapToRange(720.0f, 0.0f, 360.0f), 0.0f);
    EXPECT_EQ(WrapToRange(360.0f, 0.0f, 360.0f), 0.0f);
    EXPECT_EQ(WrapToRange(kInfinity, 0.0f, 360.0f), 0.0f);
    EXPECT_EQ(WrapToRange(-kInfinity, 0.0f, 360.0f), 0.0f);
    EXPECT_TRUE(std::isnan(WrapToRange(std::nanf(""), 0.0f, 360.0f)));
    EXPECT_EQ(WrapToRange(5.0f, 10.0f, 0.0f), 5.0f);
    // 360 − 0.000001 is closer to 360 than to any float below it.
    EXPECT_EQ(WrapToRange(-0.000001f, 0.0f, 360.0f), 360.0f);
}

TEST(WrapToRange, InfinitiesGiveTheLowerBound) {
    EXPECT_EQ(WrapToRange(kInfinity, -2.5f, 7.0f), -2.5f);
    EXPECT_EQ(WrapToRange(-kInfinity, 0.25f, 1.0f), 0.25f);
}

TEST(WrapToRange, EmptyRangeLeavesTheValueAndFinishes) {
    EXPECT_EQ(WrapToRange(5.0f, 1.0f, 1.0f), 5.0f);
    EXPECT_EQ(WrapToRange(-5.0f, 1.0f, 1.0f), -5.0f);
}

TEST(WrapToRange, MatchesTheOneSpanAtATimeLoopNearTheRange) {
    std::mt19937 random(7u);
    const float ranges[][2] = {{0.0f, 360.0f}, {0.0f, 1.0f}, {-3.5f, 12.25f}, {100.0f, 100.1f}};
    for (const auto& range : ranges) {
        const float span = range[1] - range[0];
        std::uniform_real_distribution<float> near(range[0] - 60.0f * span,
                                                   range[1] + 60.0f * span);
        for (int i = 0; i < 20000; ++i) {
            const float value = near(random);
            ASSERT_EQ(Bits(WrapToRange(value, range[0], range[1])),
                      Bits(reference::WrapToRange(value, range[0], range[1])))
                << value << " in [" << range[0] << ", " << range[1] << ")";
        }
    }
}

TEST(WrapToRange, FarValuesFinishInsideTheRange) {
    const float farValues[] = {1e9f,   -1e9f,   1e20f,    -1e20f,      3e38f,
                               -3e38f, FLT_MAX, -FLT_MAX, 123456789.0f};
    for (float value : farValues) {
        const float hue = WrapToRange(value, 0.0f, 360.0f);
        EXPECT_GE(hue, 0.0f) << value;
        EXPECT_LE(hue, 360.0f) << value;
        const float fraction = WrapToRange(value, 0.0f, 1.0f);
        EXPECT_GE(fraction, 0.0f) << value;
        EXPECT_LE(fraction, 1.0f) << value;
        // A span far below the value's precision: the loop would never move it.
        const float tiny = WrapToRange(value, 0.0f, 1e-30f);
        EXPECT_GE(tiny, 0.0f) << value;
        EXPECT_LE(tiny, 1e-30f) << value;
    }
}

TEST(WrapToRange, FarValuesKeepTheirPlaceInTheTurn) {
    // 10⁶ turns and 256 degrees, both exact in single precision.
    EXPECT_EQ(WrapToRange(360000256.0f, 0.0f, 360.0f), 256.0f);
    EXPECT_EQ(WrapToRange(-360000256.0f, 0.0f, 360.0f), 104.0f);
    EXPECT_EQ(WrapToRange(1048576.5f, 0.0f, 1.0f), 0.5f);
    EXPECT_EQ(WrapToRange(-1048576.25f, 0.0f, 1.0f), 0.75f);
}

} // namespace
} // namespace nacreen
