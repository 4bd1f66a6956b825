// The neutral grey behind the swatch's sphere, in linear light: nacreen-preview and the
// explorer draw the same swatch.
#pragma once

#include "LinearImage.h"

namespace preview {

constexpr RgbPixel kSwatchBackground{0.1f, 0.1f, 0.1f};

} // namespace preview
