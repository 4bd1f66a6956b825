// Renders the default swatch through the loaded plug-in, as nacreen-preview does, and reports
// the time per megapixel ("s_per_Mpx") on one thread and on all cores. Run:
//   build/bench/preview/nacreen_preview_bench
#include "FrameRenderer.h"
#include "NacreenSession.h"
#include "RowScheduler.h"
#include "SceneFiles.h"

#include <imtl.h>

#include <benchmark/benchmark.h>

namespace {

constexpr int kSide = 512;

void RenderSwatch(benchmark::State& state, int threads, int samplesPerSide) {
    preview::NacreenSession session(NACREEN_PLUGIN_FOR_BENCHMARK);
    Texmap* map = session.CreateMap();
    preview::FrameSettings settings;
    settings.width = kSide;
    settings.height = kSide;
    settings.samplesPerSide = samplesPerSide;
    settings.threads = threads;
    for (auto _ : state) {
        benchmark::DoNotOptimize(preview::RenderFrame(*map, 0, settings, nullptr));
    }
    preview::ReleaseMap(map);
    const double megapixels = kSide * kSide / 1e6;
    state.counters["s_per_Mpx"] = benchmark::Counter(
        megapixels, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["threads"] = threads;
    state.counters["samples_per_px"] = samplesPerSide * samplesPerSide;
}

void SwatchOneThread(benchmark::State& state) {
    RenderSwatch(state, 1, static_cast<int>(state.range(0)));
}

void SwatchAllCores(benchmark::State& state) {
    RenderSwatch(state, preview::AvailableThreads(), static_cast<int>(state.range(0)));
}

} // namespace

// Wall-clock time: the work runs on the render threads, not the calling one.
BENCHMARK(SwatchOneThread)->Arg(1)->Arg(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SwatchAllCores)->Arg(1)->Arg(3)->UseRealTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
