#include "shading/WrapToRange.h"

#include <cmath>

namespace nacreen::detail {

namespace {
// Values more than this many spans outside the range are first brought near it in one step;
// closer ones are moved one span at a time, which fixes the exact rounding of the result. (Far
// outside, the steps would take millions of turns, or never end once the span falls below the
// value's precision.)
constexpr double kStepsInReach = 64.0;
} // namespace

float WrapBySpans(float value, float lo, float hi) {
    if (lo > hi) {
        return value;
    }
    if (std::isnan(value)) {
        return value;
    }
    if (std::isinf(value)) {
        return lo;
    }
    if (!(lo < hi)) {
        return value; // an empty range has nowhere to wrap to, and a zero span would never move
    }
    const double low = lo;
    const double high = hi;
    const double span = high - low;
    double wrapped = value;
    if (wrapped < low - kStepsInReach * span || wrapped >= high + kStepsInReach * span) {
        // The remainder is exact: this lands within one span of the range.
        wrapped = low + std::fmod(wrapped - low, span);
    }
    while (wrapped < low) {
        wrapped += span;
    }
    while (wrapped >= high) {
        wrapped -= span;
    }
    return static_cast<float>(wrapped);
}

} // namespace nacreen::detail
