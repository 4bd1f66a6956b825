// libpng's own error and warning handlers print to the terminal; the preview reports one line of
// its own instead, so both the reader and the writer install these.
#pragma once

#include <png.h>

namespace preview {

// Leaves through libpng's longjmp, to the setjmp of the caller.
inline void QuietPngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

inline void QuietPngWarning(png_structp, png_const_charp) {}

} // namespace preview
