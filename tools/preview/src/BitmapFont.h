#pragma once

#include <array>
#include <string>

namespace preview {

// A 5 x 8 pixel font of our own for chart labels: digits, lower-case letters, space and
// the few signs a label needs (° ( ) . - , : =). Rows 0 to 6 stand on the baseline; row 7
// holds the descenders of g, j, p, q, y and the comma.
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 8;
constexpr int kGlyphAdvance = kGlyphWidth + 1;

// Rows from the top; '#' marks an ink pixel.
using Glyph = std::array<const char*, kGlyphHeight>;

// The glyph of a Unicode code point, or null when the font lacks it.
const Glyph* FindGlyph(char32_t codePoint);

// Decodes UTF-8 (the labels are written in it); malformed bytes become U+FFFD.
std::u32string DecodeUtf8(const std::string& text);

} // namespace preview
