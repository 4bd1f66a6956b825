#pragma once

#include "shading/Color4.h"
#include "shading/Hsl.h"
#include "shading/WrapToRange.h"

namespace nacreen {

// The user's colour controls: rotates the hue by hueShift degrees, offsets the saturation by
// saturationShift percent (without an upper limit), raises each channel to the power gamma and
// limits all four channels to [0, 1]. Alpha is carried over.
Color4 AdjustColor(const Color4& colour, float hueShift, float saturationShift, float gamma);

} // namespace nacreen
