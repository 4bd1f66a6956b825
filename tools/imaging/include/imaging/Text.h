// Text drawn with a 5 x 8 pixel font of our own for chart labels: digits, lower-case letters,
// space and the few signs a label needs (° ( ) . - , : =).
#pragma once

#include "imaging/Image.h"

#include <array>
#include <string>

namespace imaging {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 8;
constexpr int kGlyphAdvance = kGlyphWidth + 1;

// Rows from the top, '#' marking ink. Rows 0 to 6 stand on the baseline; row 7 holds the
// descenders of g, j, p, q, y and the comma.
using Glyph = std::array<const char*, kGlyphHeight>;

// The glyph of a Unicode code point, or null when the font lacks it.
const Glyph* FindGlyph(char32_t codePoint);

// Decodes UTF-8 (the labels are written in it); malformed bytes become U+FFFD.
std::u32string DecodeUtf8(const std::string& text);

// Draws UTF-8 text, each font pixel a scale x scale block. A character the font lacks is drawn
// as a hollow box, so a missing glyph shows instead of vanishing.
class TextPainter {
public:
    TextPainter(int scale, RgbPixel ink) : scale_(scale), ink_(ink) {}

    int Width(const std::string& text) const;
    int Height() const { return kGlyphHeight * scale_; }

    // (left, top) is the top-left corner of the first glyph; ink outside the image is dropped.
    void Draw(LinearImage& image, int left, int top, const std::string& text) const;

private:
    void DrawGlyph(LinearImage& image, int left, int top, char32_t codePoint) const;

    int scale_;
    RgbPixel ink_;
};

} // namespace imaging
