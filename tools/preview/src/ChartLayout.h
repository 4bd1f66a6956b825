#pragma once

#include <string>
#include <vector>

namespace preview {

struct ChartTick {
    int pixel = 0; // column (thickness axis) or row (angle axis) that the tick marks
    std::string label;
};

// Where the parts of a thickness-angle chart go: the plot, thickness 0 to a maximum from left
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

} // namespace preview
