// The program's pixels against the plug-in's own EvalColor, evaluated here in-process at the
// normal and view that each pixel's centre sees.
#include "Parameters.h"
#include "PngReadBack.h"
#include "ProgramRunner.h"
#include "ScratchFolder.h"
#include "Session.h"
#include "imaging/Chart.h"
#include "imaging/PixelEncoding.h"
#include "imaging/SwatchCamera.h"

#include <imtl.h>
#include <maxhost/Host.h>

#include <gtest/gtest.h>

#include <cmath>

using namespace preview;
using namespace imaging;

namespace {

class PixelTruth : public ::testing::Test {
protected:
    void SetUp() override { map_.reset(session_.CreateMap()); }

    // Colour of the map for one sample, after the host's Update at time 0.
    AColor Eval(const Point3& view, const Point3& normal) {
        Interval valid = FOREVER;
        map_->Update(0, valid);
        maxhost::SimpleShadeContext context;
        context.view = view;
        context.normal = normal;
        return map_->EvalColor(context);
    }

    static void ExpectPixel(const InspectedPng& png, int x, int y, const AColor& colour,
                            int tolerance) {
        const float channels[3] = {colour.r, colour.g, colour.b};
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(png.Channel(x, y, c), EncodePixelValue(channels[c], PixelEncoding::Srgb),
                        tolerance)
                << "pixel " << x << "," << y << " channel " << c;
        }
    }

    NacreenSession session_{NACREEN_PLUGIN_FOR_TESTS};
    MapHandle map_;
    ScratchFolder folder_;
};

Point3 ToPoint3(const Vector3& v) {
    return Point3(v.x, v.y, v.z);
}

} // namespace

TEST_F(PixelTruth, SwatchPixelsAreEvalColorAtTheirNormals) {
    const int size = 65;
    const ProgramResult result =
        RunPreviewProgram({"--size", std::to_string(size), "--samples", "1", "--set", "nfilm=1.33",
                           "--set", "hue=25", "-o", "s.png"},
                          folder_.Path(""));
    ASSERT_EQ(result.status, 0) << result.err;
    const InspectedPng png = InspectPng(folder_.Path("s.png"));
    ASSERT_TRUE(png.valid);

    MapParameters parameters(*map_);
    parameters.Apply(ParameterAssignment::Parse("nfilm=1.33"));
    parameters.Apply(ParameterAssignment::Parse("hue=25"));
    const SwatchCamera camera(size, size);
    int compared = 0;
    for (int y = 0; y < size; y += 4) {
        for (int x = 0; x < size; x += 4) {
            const auto hit = camera.Hit(x + 0.5, y + 0.5);
            if (!hit) {
                EXPECT_EQ(png.Channel(x, y, 0),
                          EncodePixelValue(kSwatchBackground.r, PixelEncoding::Srgb));
                continue;
            }
            ExpectPixel(png, x, y, Eval(ToPoint3(hit->View()), ToPoint3(hit->Normal())), 0);
            ++compared;
        }
    }
    EXPECT_GT(compared, 100);
}

TEST_F(PixelTruth, SwatchCentreShowsTheFilmHeadOn) {
    ASSERT_EQ(RunPreviewProgram({"--size", "65", "--samples", "1", "-o", "c.png"}, folder_.Path(""))
                  .status,
              0);
    const InspectedPng png = InspectPng(folder_.Path("c.png"));
    // Default film, 250 nm, seen along the normal: about (0.0361, 0.1469, 0.1403).
    ExpectPixel(png, 32, 32, AColor(0.0361f, 0.1469f, 0.1403f, 1.0f), 1);
    ExpectPixel(png, 32, 32, Eval(Point3(0, 0, -1), Point3(0, 0, 1)), 0);
}

TEST_F(PixelTruth, GrazingRimGlowsInsteadOfBreaking) {
    // At the silhouette the view grazes the film, which then reflects nearly everything: the
    // outermost sphere pixel of every row is brighter than the film head-on and never black.
    const int size = 201;
    ASSERT_EQ(RunPreviewProgram({"--size", std::to_string(size), "--samples", "1", "-o", "r.png"},
                                folder_.Path(""))
                  .status,
              0);
    const InspectedPng png = InspectPng(folder_.Path("r.png"));
    const SwatchCamera camera(size, size);
    const int centre = size / 2;
    const int headOn = png.Channel(centre, centre, 0) + png.Channel(centre, centre, 1) +
                       png.Channel(centre, centre, 2);
    for (int y = 20; y < size - 20; y += 7) {
        int x = 0;
        while (x < centre && !camera.Hit(x + 0.5, y + 0.5)) {
            ++x;
        }
        ASSERT_LT(x, centre);
        const int rim = png.Channel(x, y, 0) + png.Channel(x, y, 1) + png.Channel(x, y, 2);
        EXPECT_GT(rim, headOn) << "row " << y;
    }
}

TEST_F(PixelTruth, ChartPixelsAreEvalColorAtTheirThicknessAndAngle) {
    const ProgramResult result = RunPreviewProgram(
        {"--chart", "--samples", "1", "--set", "ninternal=1.33", "-o", "chart.png"},
        folder_.Path(""));
    ASSERT_EQ(result.status, 0) << result.err;
    const InspectedPng png = InspectPng(folder_.Path("chart.png"));
    const ChartLayout layout(768, 512, 1000.0);
    MapParameters parameters(*map_);
    parameters.Apply(ParameterAssignment::Parse("ninternal=1.33"));
    for (int row : {layout.PlotTop(), layout.PlotTop() + layout.PlotHeight() / 2,
                    layout.PlotTop() + layout.PlotHeight() - 1}) {
        for (int column = layout.PlotLeft(); column < layout.PlotLeft() + layout.PlotWidth();
             column += 37) {
            const double thickness = layout.ThicknessAt(column + 0.5);
            const double radians = layout.AngleAt(row + 0.5) * 3.14159265358979323846 / 180.0;
            parameters.SetFloat("thicknessmax", static_cast<float>(thickness));
            const Point3 view(static_cast<float>(std::sin(radians)), 0.0f,
                              static_cast<float>(-std::cos(radians)));
            // The chart reaches the thickness through the map value, which may round apart
            // from setting it directly by a hair: one step of 8 bits at most.
            ExpectPixel(png, column, row, Eval(view, Point3(0, 0, 1)), 1);
        }
    }
}
