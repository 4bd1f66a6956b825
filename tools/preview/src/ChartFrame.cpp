#include "ChartFrame.h"

#include "TextPainter.h"

namespace preview {
namespace {

const char* const kThicknessTitle = "film thickness (nm)";
const char* const kAngleTitle = "viewing angle";

void FillRect(LinearImage& image, int left, int top, int width, int height, RgbPixel colour) {
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            if (x >= 0 && y >= 0 && x < image.Width() && y < image.Height()) {
                image.At(x, y) = colour;
            }
        }
    }
}

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

} // namespace preview
