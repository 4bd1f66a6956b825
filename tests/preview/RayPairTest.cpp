// Runs twice: with the pair in SSE2 registers where the machine has them, and built again with
// NACREEN_DOUBLE_PAIR_PORTABLE as the two scalars WebAssembly gets.
#include "DoublePair.h"
#include "SwatchCamera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

using namespace preview;

namespace {

std::uint64_t Bits(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Each lane of the pair's result against the scalar operation, bit for bit.
void ExpectLanes(DoublePair pair, double first, double second) {
    EXPECT_EQ(Bits(pair.First()), Bits(first));
    EXPECT_EQ(Bits(pair.Second()), Bits(second));
    double a = 0.0, b = 0.0;
    pair.Store(a, b);
    EXPECT_EQ(Bits(a), Bits(first));
    EXPECT_EQ(Bits(b), Bits(second));
}

} // namespace

TEST(DoublePair, EachLaneIsTheScalarOperationBitForBit) {
    const double x0 = 0.1, x1 = -3.7e-300, y0 = 3.0, y1 = 1e-10;
    const DoublePair x(x0, x1), y(y0, y1);
    ExpectLanes(x + y, x0 + y0, x1 + y1);
    ExpectLanes(x - y, x0 - y0, x1 - y1);
    ExpectLanes(x * y, x0 * y0, x1 * y1);
    ExpectLanes(x / y, x0 / y0, x1 / y1);
    ExpectLanes(Sqrt(y), std::sqrt(y0), std::sqrt(y1));
    ExpectLanes(DoublePair(2.5), 2.5, 2.5);
}

TEST(DoublePair, SignsOfZeroAndTheFloorAtZeroAreTheScalarOnes) {
    ExpectLanes(-DoublePair(0.0, -0.0), -0.0, 0.0);
    ExpectLanes(-DoublePair(1.5, -2.0), -1.5, 2.0);
    ExpectLanes(MaxWithZero(DoublePair(-0.0, -1e-300)), MaxWithZero(-0.0), MaxWithZero(-1e-300));
    EXPECT_EQ(Bits(MaxWithZero(-0.0)), Bits(0.0));
    ExpectLanes(MaxWithZero(DoublePair(0.25, std::numeric_limits<double>::infinity())), 0.25,
                std::numeric_limits<double>::infinity());
}

TEST(SwatchCamera, RaysTracedInPairsAreBitForBitTheRaysTracedAlone) {
    const SwatchCamera camera(97, 61);
    const auto same = [](const TracedRay& a, const std::optional<SwatchHit>& b) {
        return a.lands == b.has_value() && (!b || std::memcmp(&a.hit, &*b, sizeof(SwatchHit)) == 0);
    };
    int pairs = 0, mixed = 0;
    for (double y = 0.0; y < 61.0; y += 0.37) {
        for (double x = 0.0; x < 97.0; x += 0.29) {
            // The second ray mirrors the first and moves along the row, so that pairs mix hits,
            // misses and rays that cross the silhouette.
            const double x1 = 97.0 - x * 0.83, y1 = 61.0 - y;
            TracedRay first{}, second{};
            camera.HitPair(x, y, x1, y1, first, second);
            ASSERT_TRUE(same(first, camera.Hit(x, y))) << x << ", " << y;
            ASSERT_TRUE(same(second, camera.Hit(x1, y1))) << x1 << ", " << y1;
            ++pairs;
            mixed += first.lands != second.lands;
        }
    }
    EXPECT_GT(mixed, pairs / 20);
}
