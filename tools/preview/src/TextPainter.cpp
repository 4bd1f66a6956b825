#include "TextPainter.h"

#include "BitmapFont.h"

namespace preview {
namespace {

bool IsMissingGlyphInk(int column, int row) {
    const int baseline = kGlyphHeight - 2; // the box stands on the baseline, like a letter
    return row <= baseline &&
           (row == 0 || row == baseline || column == 0 || column == kGlyphWidth - 1);
}

} // namespace

int TextPainter::Width(const std::string& text) const {
    const auto count = static_cast<int>(DecodeUtf8(text).size());
    return count == 0 ? 0 : (count * kGlyphAdvance - 1) * scale_;
}

int TextPainter::Height() const {
    return kGlyphHeight * scale_;
}

void TextPainter::Draw(LinearImage& image, int left, int top, const std::string& text) const {
    int x = left;
    for (char32_t codePoint : DecodeUtf8(text)) {
        DrawGlyph(image, x, top, codePoint);
        x += kGlyphAdvance * scale_;
    }
}

void TextPainter::DrawGlyph(LinearImage& image, int left, int top, char32_t codePoint) const {
    const Glyph* glyph = FindGlyph(codePoint);
    for (int row = 0; row < kGlyphHeight; ++row) {
        for (int column = 0; column < kGlyphWidth; ++column) {
            const bool ink =
                glyph != nullptr ? (*glyph)[row][column] == '#' : IsMissingGlyphInk(column, row);
            if (ink) {
                FillBlock(image, left + column * scale_, top + row * scale_);
            }
        }
    }
}

void TextPainter::FillBlock(LinearImage& image, int left, int top) const {
    for (int y = top; y < top + scale_; ++y) {
        for (int x = left; x < left + scale_; ++x) {
            if (x >= 0 && y >= 0 && x < image.Width() && y < image.Height()) {
                image.At(x, y) = ink_;
            }
        }
    }
}

} // namespace preview
