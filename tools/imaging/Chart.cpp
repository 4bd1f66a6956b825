#include "imaging/Chart.h"

#include "imaging/Text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace imaging {
namespace {

constexpr double kMaxAngle = 90.0;
const char* const kWidestAngleLabel = "90°";

int ScaleFor(int width, int height) {
    return std::max(1, static_cast<int>(std::lround(std::min(width, height) / 256.0)));
}

// The smallest step of 1, 2 or 5 times a power of ten whose labels do not crowd each other.
double ThicknessStepFor(double maxThickness, int plotWidth, const TextPainter& text) {
    const int labelRoom = text.Width(FormatNumber(maxThickness)) + 3 * text.Height() / 2;
    for (double power = 1.0; power <= 1e6; power *= 10.0) {
        for (double multiple : {1.0, 2.0, 5.0}) {
            const double step = multiple * power;
            if (step / maxThickness * plotWidth >= labelRoom) {
                return step;
            }
        }
    }
    return maxThickness;
}

} // namespace

std::string FormatNumber(double value) {
    char text[48];
    for (int decimals = 0; decimals <= 6; ++decimals) {
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
        if (std::abs(std::strtod(text, nullptr) - value) <= 1e-6 * std::max(1.0, std::abs(value))) {
            break;
        }
    }
    return text;
}

ChartLayout::ChartLayout(int width, int height, double maxThickness)
    : maxThickness_(maxThickness), scale_(ScaleFor(width, height)) {
    const TextPainter text(scale_, {});
    left_ = Padding() + text.Width(kWidestAngleLabel) + Gap() + TickLength();
    top_ = Padding() + text.Height() + 2 * Gap();
    const int right = Padding() + text.Width(FormatNumber(maxThickness)) / 2;
    const int bottom = TickLength() + Gap() + text.Height() + 2 * Gap() + text.Height() + Padding();
    plotWidth_ = std::max(1, width - left_ - right);
    plotHeight_ = std::max(1, height - top_ - bottom);
}

bool ChartLayout::InPlot(int x, int y) const {
    return x >= left_ && x < left_ + plotWidth_ && y >= top_ && y < top_ + plotHeight_;
}

double ChartLayout::ThicknessAt(double x) const {
    return (x - left_) / plotWidth_ * maxThickness_;
}

double ChartLayout::AngleAt(double y) const {
    return (top_ + plotHeight_ - y) / plotHeight_ * kMaxAngle;
}

int ChartLayout::ColumnOf(double thickness) const {
    const int column = left_ + static_cast<int>(std::floor(thickness / maxThickness_ * plotWidth_));
    return std::min(column, left_ + plotWidth_ - 1);
}

int ChartLayout::RowOf(double angle) const {
    const int row =
        top_ + plotHeight_ - static_cast<int>(std::floor(angle / kMaxAngle * plotHeight_));
    return std::clamp(row, top_, top_ + plotHeight_ - 1);
}

double ChartLayout::ThicknessStep() const {
    return ThicknessStepFor(maxThickness_, plotWidth_, TextPainter(scale_, {}));
}

double ChartLayout::AngleStep() const {
    for (double step : {10.0, 15.0, 30.0, 45.0}) {
        if (step / kMaxAngle * plotHeight_ >= 2.5 * TextPainter(scale_, {}).Height()) {
            return step;
        }
    }
    return kMaxAngle;
}

std::vector<ChartTick> ChartLayout::ThicknessTicks() const {
    std::vector<ChartTick> ticks;
    const double step = ThicknessStep();
    for (int index = 0; index * step <= maxThickness_ * (1.0 + 1e-9); ++index) {
        ticks.push_back({ColumnOf(index * step), FormatNumber(index * step)});
    }
    return ticks;
}

std::vector<ChartTick> ChartLayout::AngleTicks() const {
    std::vector<ChartTick> ticks;
    const double step = AngleStep();
    for (int index = 0; index * step <= kMaxAngle; ++index) {
        ticks.push_back({RowOf(index * step), FormatNumber(index * step) + "°"});
    }
    return ticks;
}

namespace {

const char* const kThicknessTitle = "film thickness (nm)";
const char* const kAngleTitle = "viewing angle";

void PaintBackground(LinearImage& image, const ChartLayout& layout) {
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            if (!layout.InPlot(x, y)) {
                image.At(x, y) = kChartBackground;
            }
        }
    }
}

void DrawThicknessAxis(LinearImage& image, const ChartLayout& layout, const TextPainter& text) {
    const int axisRow = layout.PlotTop() + layout.PlotHeight();
    const int line = layout.TextScale();
    FillRect(image, layout.PlotLeft() - line, axisRow, layout.PlotWidth() + line, line, kChartInk);
    const int labelTop = axisRow + layout.TickLength() + layout.Gap();
    for (const ChartTick& tick : layout.ThicknessTicks()) {
        FillRect(image, tick.pixel, axisRow, line, layout.TickLength(), kChartInk);
        text.Draw(image, tick.pixel - text.Width(tick.label) / 2, labelTop, tick.label);
    }
    const int titleLeft =
        layout.PlotLeft() + (layout.PlotWidth() - text.Width(kThicknessTitle)) / 2;
    text.Draw(image, titleLeft, labelTop + text.Height() + 2 * layout.Gap(), kThicknessTitle);
}

void DrawAngleAxis(LinearImage& image, const ChartLayout& layout, const TextPainter& text) {
    const int line = layout.TextScale();
    const int axisColumn = layout.PlotLeft() - line;
    FillRect(image, axisColumn, layout.PlotTop(), line, layout.PlotHeight(), kChartInk);
    const int tickLeft = axisColumn - layout.TickLength();
    for (const ChartTick& tick : layout.AngleTicks()) {
        FillRect(image, tickLeft, tick.pixel, layout.TickLength(), line, kChartInk);
        text.Draw(image, tickLeft - layout.Gap() - text.Width(tick.label),
                  tick.pixel - text.Height() / 2, tick.label);
    }
    text.Draw(image, layout.Padding(), layout.Padding(), kAngleTitle);
}

} // namespace

void DrawChartFrame(LinearImage& image, const ChartLayout& layout) {
    const TextPainter text(layout.TextScale(), kChartInk);
    PaintBackground(image, layout);
    DrawThicknessAxis(image, layout, text);
    DrawAngleAxis(image, layout, text);
}

void DrawThicknessMarkers(LinearImage& image, const ChartLayout& layout,
                          const std::vector<float>& thicknesses) {
    const int height = 2 * layout.Gap();
    for (float thickness : thicknesses) {
        const int column = layout.ColumnOf(thickness);
        if (!(thickness >= 0.0f) || thickness > layout.MaxThickness()) {
            continue;
        }
        for (int row = 0; row < height; ++row) {
            const int halfWidth = height - 1 - row;
            FillRect(image, column - halfWidth, layout.PlotTop() - height + row, 2 * halfWidth + 1,
                     1, kChartInk);
        }
    }
}

} // namespace imaging
