#include "ImageSampler.h"

#include <algorithm>
#include <cmath>

namespace preview {
namespace {

int Wrap(int index, int size) {
    const int wrapped = index % size;
    return wrapped < 0 ? wrapped + size : wrapped;
}

RgbPixel Mix(const RgbPixel& a, const RgbPixel& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

} // namespace

RgbPixel SampleBilinear(const LinearImage& image, float u, float v) {
    if (!std::isfinite(u) || !std::isfinite(v)) {
        return image.At(0, 0);
    }
    const double x = static_cast<double>(u) * image.Width() - 0.5;
    const double y = (1.0 - static_cast<double>(v)) * image.Height() - 0.5;
    const double clampedY = std::clamp(y, 0.0, image.Height() - 1.0);
    const double x0 = std::floor(x);
    const double y0 = std::floor(clampedY);
    const auto tx = static_cast<float>(x - x0);
    const auto ty = static_cast<float>(clampedY - y0);
    const int column0 = Wrap(static_cast<int>(std::fmod(x0, image.Width())), image.Width());
    const int column1 = Wrap(column0 + 1, image.Width());
    const int row0 = static_cast<int>(y0);
    const int row1 = std::min(row0 + 1, image.Height() - 1);
    const RgbPixel top = Mix(image.At(column0, row0), image.At(column1, row0), tx);
    const RgbPixel bottom = Mix(image.At(column0, row1), image.At(column1, row1), tx);
    return Mix(top, bottom, ty);
}

} // namespace preview
