#include "ExplorerImages.h"

#include "imaging/Chart.h"
#include "imaging/PixelEncoding.h"
#include "imaging/SwatchCamera.h"

#include "shading/ShadeFilm.h"

#include <cmath>

namespace explorer {
namespace {

constexpr double kPi = 3.14159265358979323846;

imaging::RgbPixel ToPixel(const nacreen::Color4& colour) {
    return {colour.r, colour.g, colour.b};
}

nacreen::Vec3 ToVec3(const imaging::Vector3& v) {
    return {v.x, v.y, v.z};
}

// The film thicknesses the look spans: thicknessmax alone, or with the ramp also thicknessmin.
std::vector<float> FilmThicknesses(const ExplorerLook& look) {
    std::vector<float> thicknesses{look.film.thicknessAtZero};
    if (look.useThicknessRamp) {
        thicknesses.push_back(look.film.thicknessAtOne);
    }
    return thicknesses;
}

// A flat surface seen at `degrees` from its normal, with the thickness chosen directly.
imaging::RgbPixel ShadeChartSample(const nacreen::FilmParams& chartFilm, float gamma,
                                   double thicknessShare, double degrees) {
    const double radians = degrees * kPi / 180.0;
    const nacreen::Vec3 view{static_cast<float>(std::sin(radians)), 0.0f,
                             static_cast<float>(-std::cos(radians))};
    const nacreen::Vec3 normal{0.0f, 0.0f, 1.0f};
    return ToPixel(
        nacreen::ShadeFilm(view, normal, static_cast<float>(thicknessShare), chartFilm, gamma));
}

} // namespace

imaging::LinearImage RenderSwatch(const ExplorerLook& look, int width, int height) {
    imaging::LinearImage image(width, height, imaging::kSwatchBackground);
    const imaging::SwatchCamera camera(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto hit = camera.Hit(x + 0.5, y + 0.5);
            if (!hit) {
                continue;
            }
            const float mapValue = look.useThicknessRamp ? hit->Uvw().y : 0.0f;
            image.At(x, y) = ToPixel(nacreen::ShadeFilm(ToVec3(hit->View()), ToVec3(hit->Normal()),
                                                        mapValue, look.film, look.gamma));
        }
    }
    return image;
}

imaging::LinearImage RenderChart(const ExplorerLook& look, int width, int height,
                                 float maxThickness) {
    imaging::LinearImage image(width, height);
    const imaging::ChartLayout layout(width, height, maxThickness);
    // The chart's own film: thickness 0 at map value 0 and maxThickness at 1, so that the map
    // value of a column is its share of the thickness axis.
    nacreen::FilmParams chartFilm = look.film;
    chartFilm.thicknessAtZero = 0.0f;
    chartFilm.thicknessAtOne = maxThickness;
    for (int y = layout.PlotTop(); y < layout.PlotTop() + layout.PlotHeight(); ++y) {
        const double angle = layout.AngleAt(y + 0.5);
        for (int x = layout.PlotLeft(); x < layout.PlotLeft() + layout.PlotWidth(); ++x) {
            const double share = layout.ThicknessAt(x + 0.5) / layout.MaxThickness();
            image.At(x, y) = ShadeChartSample(chartFilm, look.gamma, share, angle);
        }
    }
    imaging::DrawChartFrame(image, layout);
    imaging::DrawThicknessMarkers(image, layout, FilmThicknesses(look));
    return image;
}

std::vector<std::uint8_t> EncodeRgba8(const imaging::LinearImage& image) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(image.Width()) * image.Height() * 4);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const imaging::RgbPixel& pixel = image.At(x, y);
            bytes.push_back(imaging::EncodePixelValue(pixel.r, imaging::PixelEncoding::Srgb));
            bytes.push_back(imaging::EncodePixelValue(pixel.g, imaging::PixelEncoding::Srgb));
            bytes.push_back(imaging::EncodePixelValue(pixel.b, imaging::PixelEncoding::Srgb));
            bytes.push_back(255);
        }
    }
    return bytes;
}

} // namespace explorer
