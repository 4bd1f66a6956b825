#include "FrameRenderer.h"

#include "ChartFrame.h"
#include "ChartLayout.h"
#include "RowScheduler.h"
#include "SwatchCamera.h"

#include <imtl.h>
#include <maxhost/SimpleShadeContext.h>

#include <cmath>
#include <functional>
#include <memory>

namespace preview {
namespace {

constexpr double kPi = 3.14159265358979323846;

Point3 ToPoint3(const Vector3& v) {
    return Point3(v.x, v.y, v.z);
}

// The colour at one image position, shaded on the calling render thread.
using SampleShader = std::function<AColor(double x, double y)>;

double SampleOffset(int index, int samplesPerSide) {
    return (index + 0.5) / samplesPerSide;
}

// The mean of n x n samples spread evenly over the pixel.
RgbPixel ShadePixel(const SampleShader& shade, int x, int y, int n) {
    double r = 0.0, g = 0.0, b = 0.0;
    for (int sy = 0; sy < n; ++sy) {
        for (int sx = 0; sx < n; ++sx) {
            const AColor c = shade(x + SampleOffset(sx, n), y + SampleOffset(sy, n));
            r += c.r;
            g += c.g;
            b += c.b;
        }
    }
    const double count = n * n;
    return {static_cast<float>(r / count), static_cast<float>(g / count),
            static_cast<float>(b / count)};
}

// Fills the pixels of a row that `covers` accepts; the others stay as they are.
RowRenderer SupersampledRow(LinearImage& image, int n, std::function<bool(int, int)> covers,
                            SampleShader shade) {
    return [&image, n, covers, shade](int y) {
        for (int x = 0; x < image.Width(); ++x) {
            if (covers(x, y)) {
                image.At(x, y) = ShadePixel(shade, x, y, n);
            }
        }
    };
}

std::shared_ptr<maxhost::SimpleShadeContext> NewShadeContext(TimeValue t, bool inMaterialEditor) {
    auto context = std::make_shared<maxhost::SimpleShadeContext>();
    context->time = t;
    context->inMtlEditor = inMaterialEditor ? TRUE : FALSE;
    return context;
}

// The sphere where the camera's ray meets it, the neutral background elsewhere.
SampleShader SwatchShader(Texmap& map, TimeValue t, const SwatchCamera& camera) {
    auto context = NewShadeContext(t, true);
    return [&map, &camera, context](double x, double y) {
        const auto hit = camera.Trace(x, y);
        if (!hit) {
            return AColor(kSwatchBackground.r, kSwatchBackground.g, kSwatchBackground.b, 1.0f);
        }
        context->view = ToPoint3(hit->view);
        context->normal = ToPoint3(hit->normal);
        context->geomNormal = context->normal;
        context->point = ToPoint3(hit->point);
        context->uvw = ToPoint3(hit->uvw);
        return map.EvalColor(*context);
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

SampleShader ChartShader(Texmap& map, TimeValue t, const ChartLayout& layout) {
    auto context = NewShadeContext(t, false);
    return [&map, &layout, context](double x, double y) {
        AimChartSample(*context, layout.ThicknessAt(x) / layout.MaxThickness(), layout.AngleAt(y));
        return map.EvalColor(*context);
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
        const auto everywhere = [](int, int) { return true; };
        RenderRows(
            settings.height, settings.threads,
            [&] { return SupersampledRow(image, n, everywhere, SwatchShader(map, t, camera)); },
            progress);
        return image;
    }
    const ChartLayout layout(settings.width, settings.height, settings.maxThickness);
    const auto inPlot = [&layout](int x, int y) { return layout.InPlot(x, y); };
    RenderRows(
        settings.height, settings.threads,
        [&] { return SupersampledRow(image, n, inPlot, ChartShader(map, t, layout)); }, progress);
    DrawChartFrame(image, layout);
    DrawThicknessMarkers(image, layout, settings.markedThicknesses);
    return image;
}

} // namespace preview
