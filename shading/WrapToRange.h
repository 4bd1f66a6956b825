#pragma once

#include "shading/ForceInline.h"

#include <cmath>

namespace nacreen {

namespace detail {
// Values more than this many spans outside the range are first brought near it in one step;
// closer ones are moved one span at a time, which fixes the exact rounding of the result.
constexpr double kWrapStepsInReach = 64.0;

// value − lo reduced modulo span (exact), placed back at lo: within one span of [lo, hi).
double WrapFarValueNear(double value, double lo, double span);
} // namespace detail

// Moves a value into [lo, hi) by whole spans hi − lo, in double precision, and rounds the result
// to single precision (a value just below hi can round to hi itself). NaN stays NaN, ±∞ gives lo,
// and a reversed or empty range (lo ≥ hi) leaves the value unchanged.
NACREEN_FORCE_INLINE float WrapToRange(float value, float lo, float hi) {
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
    if (wrapped < low - detail::kWrapStepsInReach * span ||
        wrapped >= high + detail::kWrapStepsInReach * span) {
        wrapped = detail::WrapFarValueNear(wrapped, low, span);
    }
    while (wrapped < low) {
        wrapped += span;
    }
    while (wrapped >= high) {
        wrapped -= span;
    }
    return static_cast<float>(wrapped);
}

} // namespace nacreen
