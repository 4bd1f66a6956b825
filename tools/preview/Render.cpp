#include "Render.h"

#include "imaging/Chart.h"
#include "imaging/SwatchCamera.h"

#include <imtl.h>
#include <maxhost/Host.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include <unistd.h>

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
    imaging::RgbPixel Of(int count) const {
        const double n = count;
        return {static_cast<float>(r_ / n), static_cast<float>(g_ / n), static_cast<float>(b_ / n)};
    }

private:
    double r_ = 0.0, g_ = 0.0, b_ = 0.0;
};

Point3 ToPoint3(const imaging::Vector3& v) {
    return Point3(v.x, v.y, v.z);
}

// A sample's shading context on the swatch: the view, the normal and the point at once; the
// texture coordinates, which cost two inverse trigonometric functions, only when a map asks.
class SwatchShadeContext : public SimpleShadeContext {
public:
    void Aim(const imaging::SwatchHit& hit) {
        hit_ = &hit;
        view = ToPoint3(hit.View());
        normal = ToPoint3(hit.Normal());
        geomNormal = normal;
        point = ToPoint3(hit.Point());
    }

    Point3 UVW(int /*channel*/) override { return hit_ != nullptr ? ToPoint3(hit_->Uvw()) : uvw; }
    void ScreenUV(Point2& uv, Point2& duv) override {
        uvw = UVW(0);
        SimpleShadeContext::ScreenUV(uv, duv);
    }

private:
    const imaging::SwatchHit* hit_ = nullptr;
};

// The sphere where a camera ray meets it, the neutral background elsewhere.
class SwatchShader {
public:
    SwatchShader(Texmap& map, TimeValue t, const imaging::SwatchCamera& camera, int samplesPerSide)
        : map_(map), camera_(camera), samples_(PixelSampleOffsets(samplesPerSide)),
          hits_(samples_.size()) {
        context_.time = t;
        context_.inMtlEditor = TRUE;
        SampleMean mean;
        for (std::size_t i = 0; i < samples_.size(); ++i) {
            mean.Add(kBackground);
        }
        background_ = mean.Of(static_cast<int>(samples_.size()));
    }

    void Row(imaging::LinearImage& image, int y) {
        for (int x = 0; x < image.Width(); ++x) {
            // A third of a swatch lies wholly outside the sphere: there every ray would miss.
            if (camera_.MissesPixel(x, y)) {
                image.At(x, y) = background_;
                continue;
            }
            // The rays first, then the shading: rays do not depend on each other, so their
            // square roots and divisions overlap instead of each waiting behind a map.
            for (std::size_t i = 0; i < samples_.size(); ++i) {
                hits_[i] = camera_.Hit(x + samples_[i].dx, y + samples_[i].dy);
            }
            SampleMean mean;
            for (const std::optional<imaging::SwatchHit>& hit : hits_) {
                if (hit) {
                    context_.Aim(*hit);
                    mean.Add(map_.EvalColor(context_));
                } else {
                    mean.Add(kBackground);
                }
            }
            image.At(x, y) = mean.Of(static_cast<int>(samples_.size()));
        }
    }

private:
    static inline const AColor kBackground{imaging::kSwatchBackground.r,
                                           imaging::kSwatchBackground.g,
                                           imaging::kSwatchBackground.b, 1.0f};

    Texmap& map_;
    const imaging::SwatchCamera& camera_;
    const std::vector<SampleOffset> samples_;
    std::vector<std::optional<imaging::SwatchHit>> hits_; // the pixel's, reused
    imaging::RgbPixel background_; // what a pixel's samples average to where all miss
    SwatchShadeContext context_;
};

// A flat surface facing the camera, seen at an angle from its normal that depends on the row,
// with the film's thickness share in u (the chart's ramp map hands it to the map as the
// thickness-map value), which depends on the column.
class ChartShader {
public:
    ChartShader(Texmap& map, TimeValue t, const imaging::ChartLayout& layout, int samplesPerSide)
        : map_(map), layout_(layout), offsets_(SampleOffsets(samplesPerSide)),
          rowAims_(offsets_.size()) {
        context_.time = t;
        context_.inMtlEditor = FALSE;
        context_.normal = Point3(0.0f, 0.0f, 1.0f);
        context_.geomNormal = context_.normal;
    }

    // The angle, and with it the view's sine and cosine, only changes from one row of samples
    // to the next.
    void Row(imaging::LinearImage& image, int y) {
        for (std::size_t i = 0; i < offsets_.size(); ++i) {
            rowAims_[i] = AimAt(layout_.AngleAt(y + offsets_[i]));
        }
        for (int x = 0; x < image.Width(); ++x) {
            if (layout_.InPlot(x, y)) {
                image.At(x, y) = Pixel(x);
            }
        }
    }

private:
    imaging::RgbPixel Pixel(int x) {
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
    const imaging::ChartLayout& layout_;
    const std::vector<double> offsets_;
    std::vector<Aim> rowAims_;
    SimpleShadeContext context_;
};

// One renderer per thread, each with a shader of its own.
template <typename Shader, typename... Arguments>
std::function<RowRenderer()> RowsOf(imaging::LinearImage& image, Arguments&... arguments) {
    return [&image, &arguments...] {
        auto shader = std::make_shared<Shader>(arguments...);
        return [&image, shader](int row) { shader->Row(image, row); };
    };
}

} // namespace

ProgressLine::ProgressLine(std::FILE* stream, bool enabled, Clock::duration delay)
    : stream_(stream), enabled_(enabled), delay_(delay) {}

bool ProgressLine::IsTerminal(std::FILE* stream) {
    return stream != nullptr && isatty(fileno(stream)) != 0;
}

void ProgressLine::Start(const std::string& label, int total) {
    label_ = label;
    total_ = total;
    shown_ = false;
    lastPercent_ = -1;
    started_ = Clock::now();
}

void ProgressLine::Show(int done) {
    if (!enabled_ || total_ <= 0 || Clock::now() - started_ < delay_) {
        return;
    }
    const int percent = static_cast<int>(100LL * done / total_);
    if (percent == lastPercent_) {
        return;
    }
    lastPercent_ = percent;
    std::fprintf(stream_, "\r%s: %3d%%", label_.c_str(), percent);
    std::fflush(stream_);
    shown_ = true;
}

void ProgressLine::Finish() {
    if (shown_) {
        std::fprintf(stream_, "\r\033[K");
        std::fflush(stream_);
        shown_ = false;
    }
}

int AvailableThreads() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void RenderRows(int rowCount, int threadCount, const std::function<RowRenderer()>& makeRenderer,
                ProgressLine* progress) {
    const int workers = std::max(1, std::min(threadCount, rowCount));
    std::vector<RowRenderer> renderers;
    for (int worker = 0; worker < workers; ++worker) {
        renderers.push_back(makeRenderer());
    }
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    std::atomic<bool> failed{false};
    std::mutex errorMutex;
    std::exception_ptr error;
    const auto work = [&](const RowRenderer& render, bool reports) {
        try {
            for (int row = next++; row < rowCount && !failed; row = next++) {
                render(row);
                ++done;
                if (reports && progress != nullptr) {
                    progress->Show(done);
                }
            }
        } catch (...) {
            const std::lock_guard<std::mutex> lock(errorMutex);
            if (!error) {
                error = std::current_exception();
            }
            failed = true;
        }
    };
    std::vector<std::thread> helpers;
    for (int worker = 1; worker < workers; ++worker) {
        try {
            helpers.emplace_back(work, std::cref(renderers[static_cast<std::size_t>(worker)]),
                                 false);
        } catch (const std::system_error&) {
            break; // the threads there are take the rows
        }
    }
    work(renderers.front(), true);
    for (std::thread& helper : helpers) {
        helper.join();
    }
    if (progress != nullptr) {
        progress->Finish();
    }
    if (error) {
        std::rethrow_exception(error);
    }
}

imaging::LinearImage RenderFrame(Texmap& map, TimeValue t, const FrameSettings& settings,
                                 ProgressLine* progress) {
    Interval valid = FOREVER;
    map.Update(t, valid);
    imaging::LinearImage image(settings.width, settings.height);
    int n = settings.samplesPerSide;
    if (settings.mode == PreviewMode::Swatch) {
        const imaging::SwatchCamera camera(settings.width, settings.height);
        RenderRows(settings.height, settings.threads,
                   RowsOf<SwatchShader>(image, map, t, camera, n), progress);
        return image;
    }
    const imaging::ChartLayout layout(settings.width, settings.height, settings.maxThickness);
    RenderRows(settings.height, settings.threads, RowsOf<ChartShader>(image, map, t, layout, n),
               progress);
    imaging::DrawChartFrame(image, layout);
    imaging::DrawThicknessMarkers(image, layout, settings.markedThicknesses);
    return image;
}

} // namespace preview
