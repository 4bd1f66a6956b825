#pragma once

#include "LinearImage.h"

#include <string>

namespace preview {

// Draws UTF-8 text with the built-in font, each font pixel a scale x scale block. A character
// the font lacks is drawn as a hollow box, so a missing glyph shows instead of vanishing.
class TextPainter {
public:
    TextPainter(int scale, RgbPixel ink) : scale_(scale), ink_(ink) {}

    int Width(const std::string& text) const;
    int Height() const;

    // (left, top) is the top-left corner of the first glyph; ink outside the image is dropped.
    void Draw(LinearImage& image, int left, int top, const std::string& text) const;

private:
    void DrawGlyph(LinearImage& image, int left, int top, char32_t codePoint) const;
    void FillBlock(LinearImage& image, int left, int top) const;

    int scale_;
    RgbPixel ink_;
};

} // namespace preview
