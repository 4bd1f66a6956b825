#include "BitmapFont.h"
#include "ChartFrame.h"
#include "ChartLayout.h"
#include "TextPainter.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace preview;

TEST(BitmapFont, GlyphsAreWellFormedAndCoverTheLabels) {
    for (const char* label :
         {"film thickness (nm)", "viewing angle", "0123456789", "90°", "-1.5"}) {
        for (char32_t c : DecodeUtf8(label)) {
            const Glyph* glyph = FindGlyph(c);
            ASSERT_NE(glyph, nullptr) << "no glyph for U+" << std::hex << unsigned(c);
            for (const char* row : *glyph) {
                ASSERT_EQ(std::strlen(row), std::size_t(kGlyphWidth));
                EXPECT_EQ(std::strspn(row, "#."), std::size_t(kGlyphWidth));
            }
        }
    }
    EXPECT_EQ(FindGlyph(U'Q'), nullptr);
    EXPECT_EQ(DecodeUtf8("9\xC2\xB0"), std::u32string(U"9\u00B0"));
    EXPECT_EQ(DecodeUtf8("\xC2"), std::u32string(U"\uFFFD"));
}

TEST(TextPainter, DrawsInkAtScaleAndMeasuresWidth) {
    const TextPainter painter(2, {1.0f, 1.0f, 1.0f});
    EXPECT_EQ(painter.Width("10"), (2 * kGlyphAdvance - 1) * 2);
    EXPECT_EQ(painter.Height(), 16);
    LinearImage image(40, 20);
    painter.Draw(image, 0, 0, "1");
    // '1' has ink at column 2 of its first row, none at column 0.
    EXPECT_EQ(image.At(4, 0).r, 1.0f);
    EXPECT_EQ(image.At(5, 1).r, 1.0f);
    EXPECT_EQ(image.At(0, 0).r, 0.0f);
    painter.Draw(image, 30, 10, "88"); // runs off the right edge without harm
}

TEST(ChartLayout, MapsPlotEdgesToTheAxisEnds) {
    const ChartLayout layout(768, 512, 1000.0);
    const int right = layout.PlotLeft() + layout.PlotWidth();
    const int bottom = layout.PlotTop() + layout.PlotHeight();
    EXPECT_DOUBLE_EQ(layout.ThicknessAt(layout.PlotLeft()), 0.0);
    EXPECT_DOUBLE_EQ(layout.ThicknessAt(right), 1000.0);
    EXPECT_DOUBLE_EQ(layout.AngleAt(bottom), 0.0);
    EXPECT_DOUBLE_EQ(layout.AngleAt(layout.PlotTop()), 90.0);
    EXPECT_GT(layout.PlotWidth(), 600);
    EXPECT_GT(layout.PlotHeight(), 400);
    EXPECT_TRUE(layout.InPlot(layout.PlotLeft(), layout.PlotTop()));
    EXPECT_FALSE(layout.InPlot(right, layout.PlotTop()));
}

TEST(ChartLayout, TicksAreOrderedReadableAndInsideTheImage) {
    for (auto [width, height, thickness] :
         {std::tuple{768, 512, 1000.0}, {160, 120, 3000.0}, {2000, 1500, 37.0}, {300, 900, 1.0}}) {
        const ChartLayout layout(width, height, thickness);
        const TextPainter text(layout.TextScale(), {});
        const auto ticks = layout.ThicknessTicks();
        ASSERT_GE(ticks.size(), 2u) << width << "x" << height;
        EXPECT_EQ(ticks.front().label, "0");
        for (std::size_t i = 1; i < ticks.size(); ++i) {
            const int spacing = ticks[i].pixel - ticks[i - 1].pixel;
            EXPECT_GT(spacing, text.Width(ticks[i].label)) << width << "x" << height;
        }
        EXPECT_LE(ticks.back().pixel + text.Width(ticks.back().label) / 2, width);
        const auto angles = layout.AngleTicks();
        ASSERT_GE(angles.size(), 2u);
        EXPECT_EQ(angles.front().label, "0°");
        EXPECT_EQ(angles.back().label, "90°");
        EXPECT_GT(angles.front().pixel, angles.back().pixel);
        EXPECT_GE(angles.back().pixel - text.Height() / 2, 0);
    }
}

TEST(ChartFrame, PaintsAroundThePlotButNotInsideIt) {
    const ChartLayout layout(400, 300, 800.0);
    const RgbPixel marker{0.5f, 0.25f, 0.125f};
    LinearImage image(400, 300, marker);
    DrawChartFrame(image, layout);
    EXPECT_EQ(image.At(layout.PlotLeft(), layout.PlotTop()).g, marker.g);
    EXPECT_EQ(image.At(0, 0).r, kChartBackground.r);
    // The thickness axis runs along the plot's bottom edge.
    EXPECT_EQ(image.At(layout.PlotLeft() + 5, layout.PlotTop() + layout.PlotHeight()).r,
              kChartInk.r);
}

TEST(FormatNumber, GivesTheShortestFaithfulDecimal) {
    EXPECT_EQ(FormatNumber(250.0), "250");
    EXPECT_EQ(FormatNumber(0.2f), "0.2");
    EXPECT_EQ(FormatNumber(0.05f), "0.05");
    EXPECT_EQ(FormatNumber(-180.0), "-180");
    EXPECT_EQ(FormatNumber(1.33f), "1.33");
}
