// Cost per shading sample of the shipped core and of the step-by-step reference, side by side.
// One benchmark iteration shades one sample, so the reported time is the time per sample.
//   build-core/bench/shading/nacreen_shading_bench --benchmark_repetitions=9
//       --benchmark_enable_random_interleaving=true
// The reference calls each operation as a function of its own; building this file with
// -DNACREEN_REFERENCE_OPERATION=inline measures a reference whose channels the compiler may
// merge instead.

#include "shading/ColorAdjust.h"
#include "shading/FilmReflectance.h"
#include "shading/ShadeFilm.h"

#include "ReferenceShading.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace nacreen {
namespace {

struct Sample {
    Vec3 view;
    Vec3 normal;
    float mapValue;
    FilmParams params;
    float gamma;
};

constexpr std::size_t kSampleCount = 4096; // a power of two, so the index wraps with a mask

Vec3 RandomDirection(std::mt19937& random) {
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::uniform_real_distribution<float> turn(0.0f, 6.2831855f);
    const float z = unit(random);
    const float angle = turn(random);
    const float radius = std::sqrt(1.0f - z * z);
    return Vec3{radius * std::cos(angle), radius * std::sin(angle), z};
}

// Every input drawn uniformly: directions, map value, stack and controls, with the hue shift,
// saturation offset and gamma all away from their neutral values.
std::vector<Sample> RandomSamples() {
    std::mt19937 random(2024u);
    auto uniform = [&random](float lo, float hi) {
        return std::uniform_real_distribution<float>(lo, hi)(random);
    };
    std::vector<Sample> samples(kSampleCount);
    for (Sample& s : samples) {
        s.view = RandomDirection(random);
        s.normal = RandomDirection(random);
        s.mapValue = uniform(0.0f, 1.0f);
        s.params = FilmParams{uniform(1.0f, 1.6f),    uniform(1.2f, 2.5f),    uniform(1.0f, 1.8f),
                              uniform(50.0f, 800.0f), uniform(50.0f, 800.0f), uniform(5.0f, 180.0f),
                              uniform(5.0f, 60.0f)};
        s.gamma = uniform(0.5f, 2.5f);
    }
    return samples;
}

// A sphere seen from the front, as a render shows it: neighbouring samples have neighbouring
// angles and thicknesses, and the controls are the same for all.
std::vector<Sample> SphereSamples() {
    const FilmParams params{1.0f, 1.5f, 1.0f, 250.0f, 350.0f, 30.0f, 20.0f};
    std::vector<Sample> samples;
    samples.reserve(kSampleCount);
    const int side = 80;
    for (int y = 0; samples.size() < kSampleCount; y = (y + 1) % side) {
        for (int x = 0; x < side && samples.size() < kSampleCount; ++x) {
            const float u = (x + 0.5f) / side * 2.0f - 1.0f;
            const float v = (y + 0.5f) / side * 2.0f - 1.0f;
            const float rr = u * u + v * v;
            if (rr >= 1.0f) {
                continue;
            }
            samples.push_back(Sample{Vec3{0.0f, 0.0f, 1.0f}, Vec3{u, v, std::sqrt(1.0f - rr)},
                                     0.5f + 0.5f * v, params, 2.2f});
        }
    }
    return samples;
}

const std::vector<Sample>& Samples(int kind) {
    static const std::vector<Sample> random = RandomSamples();
    static const std::vector<Sample> sphere = SphereSamples();
    return kind == 0 ? random : sphere;
}

void SetLabel(benchmark::State& state) {
    state.SetLabel(state.range(0) == 0 ? "random" : "sphere");
}

// Times one operation per sample over the inputs the benchmark's argument names.
template <typename Operation> void PerSample(benchmark::State& state, Operation operation) {
    const std::vector<Sample>& samples = Samples(static_cast<int>(state.range(0)));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(operation(samples[i++ & (kSampleCount - 1)]));
    }
    SetLabel(state);
}

float Cosine(const Sample& s) {
    return std::fabs(Dot(s.view, s.normal));
}

// A colour to adjust, varied from sample to sample.
Color4 ColourToAdjust(const Sample& s) {
    return Color4{s.mapValue, s.params.nFilm - 1.0f, s.params.nInternal - 1.0f, 1.0f};
}

void BM_ShadeFilm(benchmark::State& state) {
    PerSample(state, [](const Sample& s) {
        return ShadeFilm(s.view, s.normal, s.mapValue, s.params, s.gamma);
    });
}

void BM_ShadeFilmReference(benchmark::State& state) {
    PerSample(state, [](const Sample& s) {
        return reference::ShadeFilm(s.view, s.normal, s.mapValue, s.params, s.gamma);
    });
}

void BM_EvalFilmColor(benchmark::State& state) {
    PerSample(state,
              [](const Sample& s) { return EvalFilmColor(Cosine(s), s.mapValue, s.params); });
}

void BM_EvalFilmColorReference(benchmark::State& state) {
    PerSample(state, [](const Sample& s) {
        return reference::EvalFilmColor(Cosine(s), s.mapValue, s.params);
    });
}

void BM_AdjustColor(benchmark::State& state) {
    PerSample(state, [](const Sample& s) {
        return AdjustColor(ColourToAdjust(s), s.params.hueShift, s.params.saturationShift, s.gamma);
    });
}

void BM_AdjustColorReference(benchmark::State& state) {
    PerSample(state, [](const Sample& s) {
        return reference::AdjustColor(ColourToAdjust(s), s.params.hueShift,
                                      s.params.saturationShift, s.gamma);
    });
}

BENCHMARK(BM_ShadeFilm)->Arg(0)->Arg(1);
BENCHMARK(BM_ShadeFilmReference)->Arg(0)->Arg(1);
BENCHMARK(BM_EvalFilmColor)->Arg(0)->Arg(1);
BENCHMARK(BM_EvalFilmColorReference)->Arg(0)->Arg(1);
BENCHMARK(BM_AdjustColor)->Arg(0)->Arg(1);
BENCHMARK(BM_AdjustColorReference)->Arg(0)->Arg(1);

} // namespace
} // namespace nacreen

BENCHMARK_MAIN();
