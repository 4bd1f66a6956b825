// Cost per shading sample of the shipped core and of the step-by-step reference, side by side.
// One benchmark iteration shades one sample, so the reported time is the time per sample.
//   build/bench/shading/nacreen_shading_bench --benchmark_repetitions=9
//       --benchmark_enable_random_interleaving=true
// The reference calls each operation as a function of its own; building this file with
// -DNACREEN_REFERENCE_OPERATION=inline measures a reference whose channels the compiler may
// merge instead.

#include "shading/ColorAdjust.h"
#include "shading/FilmReflectance.h"
#include "shading/ShadeFilm.h"

#include "ReferenceShading.h"
#include "ShadingSamples.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace nacreen {
namespace {

using bench::kSampleCount;
using bench::Sample;
using bench::SampleSet;

SampleSet SetOf(const benchmark::State& state) {
    return static_cast<SampleSet>(state.range(0));
}

// Times one operation per sample over the inputs the benchmark's argument names.
template <typename Operation> void PerSample(benchmark::State& state, Operation operation) {
    const std::vector<Sample>& samples = bench::Samples(SetOf(state));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(operation(samples[i++ & (kSampleCount - 1)]));
    }
    state.SetLabel(bench::SampleSetName(SetOf(state)));
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
