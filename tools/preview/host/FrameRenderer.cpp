#include "FrameRenderer.h"

#include "ChartFrame.h"
#include "ChartLayout.h"
#include "RowScheduler.h"
#include "SwatchCamera.h"

#include <imtl.h>
#include <maxhost/SimpleShadeContext.h>

#include <cmath>
#include <memory>

namespace preview {
namespace {

constexpr double kPi = 3.14159265358979323846;

Point3 ToPoint3(const Vector3& v) {
    return Point3(v.x, v.y, v.z);
}

// Sums the samples of one pixel; the pixel is their mean.
struct PixelSum {
    double r = 0.0, g = 0.0, b = 0.0;

    void Add(const AColor& c) { Add(c.r, c.g, c.b); }
    void Add(double red, double green, double blue) {
        r += red;
        g += green;
        b += blue;
    }
    RgbPixel Mean(int count) const {
        return {static_cast<float>(r / count), static_cast<float>(g / count),
                static_cast<float>(b / count)};
    }
};

std::shared_ptr<maxhost::SimpleShadeContext> NewShadeContext(TimeValue t, bool inMaterialEditor) {
    auto context = std::make_shared<maxhost::SimpleShadeContext>();
    context->time = t;
    context->inMtlEditor = inMaterialEditor ? TRUE : FALSE;
    return context;
}

double SampleOffset(int index, int samplesPerSide) {
    return (index + 0.5) / samplesPerSide;
}

RowRenderer SwatchRow(Texmap& map, TimeValue t, const SwatchCamera& camera, int n,
                      LinearImage& image) {
    auto context = NewShadeContext(t, true);
    return [&map, &camera, &image, n, context](int y) {
        for (int x = 0; x < image.Width(); ++x) {
            PixelSum sum;
            for (int sy = 0; sy < n; ++sy) {
                for (int sx = 0; sx < n; ++sx) {
                    const auto hit = camera.Trace(x + SampleOffset(sx, n), y + SampleOffset(sy, n));
                    if (!hit) {
                        sum.Add(kSwatchBackground.r, kSwatchBackground.g, kSwatchBackground.b);
                        continue;
                    }
                    context->view = ToPoint3(hit->view);
                    context->normal = ToPoint3(hit->normal);
                    context->geomNormal = context->normal;
                    context->point = ToPoint3(hit->point);
                    context->uvw = ToPoint3(hit->uvw);
                    sum.Add(map.EvalColor(*context));
                }
            }
            image.At(x, y) = sum.Mean(n * n);
        }
    };
}

// A flat surface facing the camera, seen at `degrees` from its normal, with the film's
// thickness share in u (the chart's ramp map hands it to the map as the thickness-map value).
void AimChartSample(maxhost::SimpleShadeContext& context, double thicknessShare, double degrees) {
    const double radians = degrees * kPi / 180.0;
    context.view =
        Point3(static_cast<float>(std::sin(radians)), 0.0f, static_cast<float>(-std::cos(radians)));
    context.normal = Point3(0.0f, 0.0f, 1.0f);
    context.geomNormal = context.normal;
    context.uvw =
        Point3(static_cast<float>(thicknessShare), static_cast<float>(degrees / 90.0), 0.0f);
    context.point = context.uvw;
}

RowRenderer ChartRow(Texmap& map, TimeValue t, const ChartLayout& layout, float maxThickness, int n,
                     LinearImage& image) {
    auto context = NewShadeContext(t, false);
    return [&map, &layout, &image, maxThickness, n, context](int y) {
        for (int x = 0; x < image.Width(); ++x) {
            if (!layout.InPlot(x, y)) {
                continue;
            }
            PixelSum sum;
            for (int sy = 0; sy < n; ++sy) {
                for (int sx = 0; sx < n; ++sx) {
                    const double share = layout.ThicknessAt(x + SampleOffset(sx, n)) / maxThickness;
                    AimChartSample(*context, share, layout.AngleAt(y + SampleOffset(sy, n)));
                    sum.Add(map.EvalColor(*context));
                }
            }
            image.At(x, y) = sum.Mean(n * n);
        }
    };
}

} // namespace

LinearImage RenderFrame(Texmap& map, TimeValue t, const FrameSettings& settings,
                        ProgressLine* progress) {
    Interval valid = FOREVER;
    map.Update(t, valid);
    LinearImage image(settings.width, settings.height);
    const int n = settings.samplesPerSide;
    if (settings.mode == PreviewMode::Swatch) {
        const SwatchCamera camera(settings.width, settings.height);
        RenderRows(
            settings.height, settings.threads, [&] { return SwatchRow(map, t, camera, n, image); },
            progress);
        return image;
    }
    const ChartLayout layout(settings.width, settings.height, settings.maxThickness);
    RenderRows(
        settings.height, settings.threads,
        [&] { return ChartRow(map, t, layout, settings.maxThickness, n, image); }, progress);
    DrawChartFrame(image, layout);
    DrawThicknessMarkers(image, layout, settings.markedThicknesses);
    return image;
}

} // namespace preview
