// What nacreen-preview spends on a frame beside what the map's own evaluations cost, side by
// side in one run, and how the render scales with threads. Run:
//   build/bench/preview/nacreen_preview_bench --benchmark_repetitions=5
// Scenes (first argument): 0 the default swatch, 512 x 512; 1 the default chart, 768 x 512;
// 2 the swatch with the noise thickness map; all at 3 x 3 samples per pixel.
//   Frame/scene/threads     the frame rendered as the tool renders it, then written as a PNG
//   Render/scene/threads    the frame rendered, nothing written
//   MapEvaluations/scene    EvalColor alone on the very shading contexts the frame evaluates,
//                           recorded beforehand, on the calling thread
//   ToolAlone/scene         the frame rendered on one thread with a map that costs nothing
//   PngWriting/scene        the rendered frame written as a PNG, as Frame writes it
// Time is wall-clock, CPU the CPU time of all the program's threads (the tool's work runs on
// its render threads): on a busy machine the CPU column still compares one-thread figures.
#include "ChartMap.h"
#include "FrameRenderer.h"
#include "HostTexmap.h"
#include "MapParameters.h"
#include "NacreenSession.h"
#include "NoiseThicknessMap.h"
#include "PngWriter.h"
#include "SceneFiles.h"

#include <imtl.h>
#include <maxhost/SimpleShadeContext.h>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace {

enum class Scene { Swatch = 0, Chart = 1, NoiseSwatch = 2 };
constexpr int kSceneCount = 3;

// What a shading context hands a map: enough to evaluate the same sample again.
struct RecordedSample {
    Point3 view, normal, point, uvw;
};

// Stands in for the map while a frame renders, keeping every shading context it is given.
class RecordingMap : public preview::HostTexmap {
public:
    explicit RecordingMap(std::vector<RecordedSample>& samples) : samples_(samples) {}

    AColor EvalColor(ShadeContext& sc) override {
        samples_.push_back(RecordedSample{sc.V(), sc.Normal(), sc.PObj(), sc.UVW(0)});
        return AColor(0.0f, 0.0f, 0.0f, 1.0f);
    }
    Class_ID ClassID() override { return Class_ID(0x2B7E5A01, 0x40C3D9E2); }
    void GetClassName(MSTR& s, bool /*localized*/ = true) const override { s = L"Recording"; }
    RefTargetHandle Clone(RemapDir& /*remap*/) override { return nullptr; }

private:
    std::vector<RecordedSample>& samples_;
};

preview::FrameSettings SettingsFor(Scene scene, int threads) {
    preview::FrameSettings settings;
    settings.mode =
        scene == Scene::Chart ? preview::PreviewMode::Chart : preview::PreviewMode::Swatch;
    settings.width = scene == Scene::Chart ? 768 : 512;
    settings.height = 512;
    settings.samplesPerSide = 3;
    settings.threads = threads;
    return settings;
}

// A map that costs nothing: rendered with it, a frame shows what the tool itself spends.
class FreeMap : public preview::HostTexmap {
public:
    AColor EvalColor(ShadeContext& /*sc*/) override { return AColor(0.5f, 0.5f, 0.5f, 1.0f); }
    Class_ID ClassID() override { return Class_ID(0x2B7E5A02, 0x40C3D9E2); }
    void GetClassName(MSTR& s, bool /*localized*/ = true) const override { s = L"Free"; }
    RefTargetHandle Clone(RemapDir& /*remap*/) override { return nullptr; }
};

// The plug-in loaded once, one map per scene prepared as nacreen-preview prepares it, and the
// shading contexts of each scene's frame. Maps are released before the library unloads.
class Scenes {
public:
    Scenes() : session_(NACREEN_PLUGIN_FOR_BENCHMARK) {
        for (int index = 0; index < kSceneCount; ++index) {
            const auto scene = static_cast<Scene>(index);
            Texmap* map = session_.CreateMap();
            preview::MapParameters parameters(*map);
            if (scene == Scene::Chart) {
                preview::PrepareChartMap(*map, parameters, 1000.0f);
            } else if (scene == Scene::NoiseSwatch) {
                map->SetSubTexmap(0, new preview::NoiseThicknessMap());
                parameters.SetInteger("thicknessmapenabled", 1);
            }
            maps_[static_cast<std::size_t>(index)] = map;
            Record(scene);
        }
    }
    ~Scenes() {
        for (Texmap* map : maps_) {
            preview::ReleaseMap(map);
        }
    }
    Scenes(const Scenes&) = delete;
    Scenes& operator=(const Scenes&) = delete;

    static Scenes& Instance() {
        static Scenes scenes;
        return scenes;
    }

    Texmap& Map(Scene scene) { return *maps_[static_cast<std::size_t>(scene)]; }
    const std::vector<RecordedSample>& Samples(Scene scene) const {
        return samples_[static_cast<std::size_t>(scene)];
    }

private:
    void Record(Scene scene) {
        auto* recorder = new RecordingMap(samples_[static_cast<std::size_t>(scene)]);
        preview::RenderFrame(*recorder, 0, SettingsFor(scene, 1), nullptr);
        recorder->DeleteThis();
    }

    preview::NacreenSession session_;
    std::array<Texmap*, kSceneCount> maps_{};
    std::array<std::vector<RecordedSample>, kSceneCount> samples_;
};

Scene SceneOf(const benchmark::State& state) {
    return static_cast<Scene>(state.range(0));
}

void Label(benchmark::State& state) {
    static const char* const names[kSceneCount] = {"swatch", "chart", "noise swatch"};
    state.SetLabel(names[state.range(0)]);
}

void Frame(benchmark::State& state) {
    Texmap& map = Scenes::Instance().Map(SceneOf(state));
    const preview::FrameSettings settings =
        SettingsFor(SceneOf(state), static_cast<int>(state.range(1)));
    const std::string path = std::string(P_tmpdir) + "/nacreen_preview_bench.png";
    for (auto _ : state) {
        const preview::LinearImage image = preview::RenderFrame(map, 0, settings, nullptr);
        preview::WritePng(path, image, preview::PixelEncoding::Srgb, {});
    }
    std::remove(path.c_str());
    Label(state);
}

void Render(benchmark::State& state) {
    Texmap& map = Scenes::Instance().Map(SceneOf(state));
    const preview::FrameSettings settings =
        SettingsFor(SceneOf(state), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(preview::RenderFrame(map, 0, settings, nullptr));
    }
    Label(state);
}

void ToolAlone(benchmark::State& state) {
    auto* map = new FreeMap();
    const preview::FrameSettings settings = SettingsFor(SceneOf(state), 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(preview::RenderFrame(*map, 0, settings, nullptr));
    }
    map->DeleteThis();
    Label(state);
}

void PngWriting(benchmark::State& state) {
    Texmap& map = Scenes::Instance().Map(SceneOf(state));
    const preview::LinearImage image =
        preview::RenderFrame(map, 0, SettingsFor(SceneOf(state), 1), nullptr);
    const std::string path = std::string(P_tmpdir) + "/nacreen_preview_bench.png";
    for (auto _ : state) {
        preview::WritePng(path, image, preview::PixelEncoding::Srgb, {});
    }
    std::remove(path.c_str());
    Label(state);
}

void MapEvaluations(benchmark::State& state) {
    Scenes& scenes = Scenes::Instance();
    Texmap& map = scenes.Map(SceneOf(state));
    Interval valid = FOREVER;
    map.Update(0, valid);
    const std::vector<RecordedSample>& samples = scenes.Samples(SceneOf(state));
    maxhost::SimpleShadeContext sc;
    sc.inMtlEditor = SceneOf(state) == Scene::Chart ? FALSE : TRUE;
    for (auto _ : state) {
        for (const RecordedSample& s : samples) {
            sc.view = s.view;
            sc.normal = s.normal;
            sc.geomNormal = s.normal;
            sc.point = s.point;
            sc.uvw = s.uvw;
            benchmark::DoNotOptimize(map.EvalColor(sc));
        }
    }
    state.counters["samples"] = static_cast<double>(samples.size());
    Label(state);
}

void EveryScene(benchmark::internal::Benchmark* b, bool withThreads) {
    for (int scene = 0; scene < kSceneCount; ++scene) {
        if (withThreads) {
            b->Args({scene, 1})->Args({scene, 2});
        } else {
            b->Arg(scene);
        }
    }
    b->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(MapEvaluations)->Apply([](benchmark::internal::Benchmark* b) { EveryScene(b, false); });
BENCHMARK(Frame)->Apply([](benchmark::internal::Benchmark* b) { EveryScene(b, true); });
BENCHMARK(ToolAlone)->Apply([](benchmark::internal::Benchmark* b) { EveryScene(b, false); });
BENCHMARK(Render)->Apply([](benchmark::internal::Benchmark* b) { EveryScene(b, true); });
BENCHMARK(PngWriting)->Apply([](benchmark::internal::Benchmark* b) { EveryScene(b, false); });

BENCHMARK_MAIN();
