// The thickness-angle chart: colour over film thickness (x) and viewing angle (y), framed by
// axes, tick labels and titles drawn with the built-in font.
#pragma once

#include "imaging/Image.h"

#include <string>
#include <vector>

namespace imaging {

struct ChartTick {
    int pixel = 0; // column (thickness axis) or row (angle axis) that the tick marks
    std::string label;
};

// Where the parts of a chart go: the plot, thickness 0 to a maximum from left
// to right and viewing angle 0° to 90° from bottom to top, framed by the axes, their tick
// labels and titles. Text is drawn with the built-in font at TextScale().
class ChartLayout {
public:
    ChartLayout(int width, int height, double maxThickness);

    // The smallest image the layout still fits.
    static constexpr int kMinWidth = 160;
    static constexpr int kMinHeight = 120;

    int TextScale() const { return scale_; }
    int PlotLeft() const { return left_; }
    int PlotTop() const { return top_; }
    int PlotWidth() const { return plotWidth_; }
    int PlotHeight() const { return plotHeight_; }
    bool InPlot(int x, int y) const;

    // Continuous image positions (pixel centres at +0.5) to thickness in nm and angle in degrees.
    double ThicknessAt(double x) const;
    double AngleAt(double y) const;

    std::vector<ChartTick> ThicknessTicks() const;
    std::vector<ChartTick> AngleTicks() const;

    // The column that shows a thickness, within the plot.
    int ColumnOf(double thickness) const;
    double MaxThickness() const { return maxThickness_; }

    int TickLength() const { return 3 * scale_; }
    int Gap() const { return 2 * scale_; }
    int Padding() const { return 4 * scale_; }

private:
    int RowOf(double angle) const;
    double ThicknessStep() const;
    double AngleStep() const;

    double maxThickness_;
    int scale_;
    int left_ = 0;
    int top_ = 0;
    int plotWidth_ = 0;
    int plotHeight_ = 0;
};

// "250", "1.5", "0.2": the fewest decimals (at most 6) that give the value back to float precision.
std::string FormatNumber(double value);

// Colours of everything around the plot, in linear light.
constexpr RgbPixel kChartBackground{0.03f, 0.03f, 0.03f};
constexpr RgbPixel kChartInk{0.75f, 0.75f, 0.75f};

// Paints the background outside the plot, the two axes, their ticks and tick labels, and the
// axis titles. The plot's own pixels are left as they are.
void DrawChartFrame(LinearImage& image, const ChartLayout& layout);

// Marks thicknesses on the thickness axis with small triangles above the plot, pointing down
// at their columns: the thicknesses the user's own map spans. Thicknesses beyond the axis are
// left out.
void DrawThicknessMarkers(LinearImage& image, const ChartLayout& layout,
                          const std::vector<float>& thicknesses);

} // namespace imaging
