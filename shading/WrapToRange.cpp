#include "shading/WrapToRange.h"

namespace nacreen::detail {

// Out of line: far-off values are rare, and the remainder is a library call.
double WrapFarValueNear(double value, double lo, double span) {
    return lo + std::fmod(value - lo, span);
}

} // namespace nacreen::detail
