#pragma once

#include "shading/ForceInline.h"

namespace nacreen {

namespace detail {
// The general case, out of line because shading rarely needs it: the value moves one
// span at a time in double precision, after a jump to within one span when it lies far outside.
float WrapBySpans(float value, float lo, float hi);
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
