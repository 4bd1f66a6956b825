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

namespace detail {
// The general case: the value moves one span at a time in double precision.
NACREEN_FORCE_INLINE float WrapBySpans(float value, float lo, float hi) {
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

} // namespace detail

// Moves a value into [lo, hi) by whole spans hi − lo, in double precision, and rounds the result
// to single precision (a value just below hi can round to hi itself). NaN stays NaN, ±∞ gives lo,
// and a reversed or empty range (lo ≥ hi) leaves the value unchanged.
NACREEN_FORCE_INLINE float WrapToRange(float value, float lo, float hi) {
    // Inside the range nothing moves, and a float survives the trip through double unchanged.
    if (value >= lo && value < hi) {
        return value;
    }
    // One span away, when the span is a float: double precision carries more than twice the
    // digits of single, so rounding the double sum of two floats to single gives exactly their
    // single-precision sum, which is quicker. Whether one step is enough is still decided on
    // the double sum, as the steps would.
    const float floatSpan = hi - lo;
    const double span = static_cast<double>(hi) - static_cast<double>(lo);
    if (static_cast<double>(floatSpan) == span) {
        const double up = static_cast<double>(value) + span;
        if (value < lo && up >= lo && up < hi) {
            return value + floatSpan;
        }
        const double down = static_cast<double>(value) - span;
        if (value >= hi && down >= lo && down < hi) {
            return value - floatSpan;
        }
    }
    return detail::WrapBySpans(value, lo, hi);
}

} // namespace nacreen
