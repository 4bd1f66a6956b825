#include "FrameRenderer.h"

#include "ChartFrame.h"
#include "ChartLayout.h"
#include "RowScheduler.h"
#include "SwatchCamera.h"
#include "SwatchShadeContext.h"

#include <imtl.h>
#include <maxhost/SimpleShadeContext.h>

#include <cmath>
#include <memory>
#include <vector>

namespace preview {
namespace {

using maxhost::SimpleShadeContext;

constexpr double kPi = 3.14159265358979323846;

// Where the n x n samples of a pixel lie, from its top-left corner: n evenly spread offsets.
std::vector<double> SampleOffsets(int n) {
    std::vector<double> offsets;
    for (int index = 0; index < n; ++index) {
        offsets.push_back((index + 0.5) / n);
    }
    return offsets;
}

// Where each of a pixel's n x n samples lies, in the order they are shaded: row by row of
// samples, left to right.
struct SampleOffset {
    double dx, dy;
};
std::vector<SampleOffset> PixelSampleOffsets(int n) {
    const std::vector<double> offsets = SampleOffsets(n);
    std::vector<SampleOffset> samples;
    for (const double dy : offsets) {
        for (const double dx : offsets) {
            samples.push_back({dx, dy});
        }
    }
    return samples;
}

// The mean of a pixel's samples, summed in double in the order they are shaded: row by row of
// samples, left to right.
class SampleMean {
public:
    void Add(const AColor& c) {
        r_ += c.r;
        g_ += c.g;
        b_ += c.b;
    }
    RgbPixel Of(int count) const {
        const double n = count;
        return {static_cast<float>(r_ / n), static_cast<float>(g_ / n), static_cast<float>(b_ / n)};
    }

private:
    double r_ = 0.0, g_ = 0.0, b_ = 0.0;
};

// One render thread's renderer: fills the pixels of a row that its shader covers; the others
// stay as they are. The shader is a concrete class, so a sample costs direct calls and the
// map's own virtual EvalColor.
template <typename Shader>
RowRenderer SupersampledRow(LinearImage& image, std::shared_ptr<Shader> shader) {
    return [&image, shader](int y) {
        shader->BeginRow(y);
        for (int x = 0; x < image.Width(); ++x) {
            if (shader->Covers(x, y)) {
                image.At(x, y) = shader->Pixel(x, y);
            }
        }
    };
}

// Each render thread owns one shader and writes its shading context for every sample, so a
// shader fills whole cache lines of its own: threads never write to a line another one holds.
constexpr std::size_t kCacheLine = 64;

// The sphere where the camera's ray meets it, the neutral background elsewhere.
class alignas(kCacheLine) SwatchShader {
public:
    SwatchShader(Texmap& map, TimeValue t, const SwatchCamera& camera, int samplesPerSide)
        : map_(map), camera_(camera), samples_(PixelSampleOffsets(samplesPerSide)),
          rays_(samples_.size()) {
        context_.time = t;
        context_.inMtlEditor = TRUE;
        SampleMean mean;
        for (std::size_t sample = 0; sample < rays_.size(); ++sample) {
            mean.Add(kBackground);
        }
        backgroundPixel_ = mean.Of(static_cast<int>(rays_.size()));
    }

    void BeginRow(int y) {
        columns_ = camera_.ColumnsToTrace(y);
        spareColumn_ = -1;
    }
    bool Covers(int /*x*/, int /*y*/) const { return true; }

    // The pixel's rays are all traced, two at a time, before any is shaded: their square roots
    // and divisions then overlap instead of each waiting for the last.
    RgbPixel Pixel(int x, int y) {
        if (x < columns_.first || x >= columns_.last) {
            return backgroundPixel_; // what its samples would average to
        }
        std::size_t i = 0;
        for (; i + 1 < samples_.size(); i += 2) {
            const SampleOffset& a = samples_[i];
            const SampleOffset& b = samples_[i + 1];
            camera_.HitPair(x + a.dx, y + a.dy, x + b.dx, y + b.dy, rays_[i], rays_[i + 1]);
        }
        if (i < samples_.size()) {
            TraceOddRay(x, y, rays_[i]);
        }
        SampleMean mean;
        for (const TracedRay& ray : rays_) {
            mean.Add(ray.lands ? Shade(ray.hit) : kBackground);
        }
        return mean.Of(static_cast<int>(rays_.size()));
    }

private:
    static inline const AColor kBackground{kSwatchBackground.r, kSwatchBackground.g,
                                           kSwatchBackground.b, 1.0f};

    // An odd count leaves each pixel one ray over. Its pair is the next pixel's last ray, kept
    // for that pixel's call (a row's pixels are asked for left to right); past the row's last
    // traced pixel the pair's second ray goes unused.
    void TraceOddRay(int x, int y, TracedRay& ray) {
        if (spareColumn_ == x) {
            ray = spare_;
            return;
        }
        const SampleOffset& last = samples_.back();
        camera_.HitPair(x + last.dx, y + last.dy, x + 1 + last.dx, y + last.dy, ray, spare_);
        spareColumn_ = x + 1;
    }

    AColor Shade(const SwatchHit& hit) {
        context_.Aim(hit);
        return map_.EvalColor(context_);
    }

    Texmap& map_;
    const SwatchCamera& camera_;
    const std::vector<SampleOffset> samples_;
    std::vector<TracedRay> rays_;         // this pixel's, reused
    SwatchCamera::Columns columns_{0, 0}; // this row's
    TracedRay spare_{};                   // the odd ray of pixel spareColumn_, traced ahead
    int spareColumn_ = -1;
    RgbPixel backgroundPixel_;
    SwatchShadeContext context_;
};

// A flat surface facing the camera, seen at an angle from its normal that depends on the row,
// with the film's thickness share in u (the chart's ramp map hands it to the map as the
// thickness-map value), which depends on the column.
class alignas(kCacheLine) ChartShader {
public:
    ChartShader(Texmap& map, TimeValue t, const ChartLayout& layout, int samplesPerSide)
        : map_(map), layout_(layout), offsets_(SampleOffsets(samplesPerSide)),
          rowAims_(offsets_.size()) {
        context_.time = t;
        context_.inMtlEditor = FALSE;
        context_.normal = Point3(0.0f, 0.0f, 1.0f);
        context_.geomNormal = context_.normal;
    }

    // The angle, and with it the view's sine and cosine, only changes from one row of samples
    // to the next.
    void BeginRow(int y) {
        for (std::size_t i = 0; i < offsets_.size(); ++i) {
            rowAims_[i] = AimAt(layout_.AngleAt(y + offsets_[i]));
        }
    }

    bool Covers(int x, int y) const { return layout_.InPlot(x, y); }

    RgbPixel Pixel(int x, int /*y*/) {
        SampleMean mean;
        for (const Aim& aim : rowAims_) {
            context_.view = aim.view;
            for (const double dx : offsets_) {
                const Point3 uvw(
                    static_cast<float>(layout_.ThicknessAt(x + dx) / layout_.MaxThickness()), aim.v,
                    0.0f);
                context_.uvw = uvw;
                context_.point = uvw;
                mean.Add(map_.EvalColor(context_));
            }
        }
        return mean.Of(static_cast<int>(offsets_.size() * offsets_.size()));
    }

private:
    struct Aim {
        Point3 view;
        float v; // the angle's share of 90 degrees
    };

    static Aim AimAt(double degrees) {
        const double radians = degrees * kPi / 180.0;
        return {Point3(static_cast<float>(std::sin(radians)), 0.0f,
                       static_cast<float>(-std::cos(radians))),
                static_cast<float>(degrees / 90.0)};
    }

    Texmap& map_;
    const ChartLayout& layout_;
    const std::vector<double> offsets_;
    std::vector<Aim> rowAims_;
    SimpleShadeContext context_;
};

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
            settings.height, settings.threads,
            [&] {
                return SupersampledRow(image, std::make_shared<SwatchShader>(map, t, camera, n));
            },
            progress);
        return image;
    }
    const ChartLayout layout(settings.width, settings.height, settings.maxThickness);
    RenderRows(
        settings.height, settings.threads,
        [&] { return SupersampledRow(image, std::make_shared<ChartShader>(map, t, layout, n)); },
        progress);
    DrawChartFrame(image, layout);
    DrawThicknessMarkers(image, layout, settings.markedThicknesses);
    return image;
}

} // namespace preview
