#pragma once

#include <cstddef>
#include <vector>

namespace preview {

// Linear-light RGB, one float triple per pixel, rows from the top.
struct RgbPixel {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

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

} // namespace preview
