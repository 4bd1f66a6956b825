// Images in linear light, as the tools render them before encoding.
#pragma once

#include <cstddef>
#include <vector>

namespace imaging {

struct RgbPixel {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

// One float triple per pixel, rows from the top.
class LinearImage {
public:
    LinearImage(int width, int height, RgbPixel fill = {})
        : width_(width), height_(height),
          pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

    int Width() const { return width_; }
    int Height() const { return height_; }

    RgbPixel& At(int x, int y) { return pixels_[Index(x, y)]; }
    const RgbPixel& At(int x, int y) const { return pixels_[Index(x, y)]; }

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_;
    int height_;
    std::vector<RgbPixel> pixels_;
};

// Fills a rectangle with one colour; what lies outside the image is dropped.
inline void FillRect(LinearImage& image, int left, int top, int width, int height,
                     RgbPixel colour) {
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            if (x >= 0 && y >= 0 && x < image.Width() && y < image.Height()) {
                image.At(x, y) = colour;
            }
        }
    }
}

// The neutral grey behind the swatch's sphere: nacreen-preview and the explorer draw the same
// swatch.
constexpr RgbPixel kSwatchBackground{0.1f, 0.1f, 0.1f};

} // namespace imaging
