// Everything one shading sample goes through in the loaded plug-in, the host's way, side by side
// with the bare core (ShadeFilm) on the same samples: the map is updated once, and each thread
// evaluates it with a shading context of its own. One iteration shades one sample.
//   build/bench/plugin/nacreen_plugin_bench --benchmark_repetitions=9
//       --benchmark_enable_random_interleaving=true
// Arguments: sample set (0 random, 1 sphere), thickness map (0 none, 1 a map handing on the
// sample's map value), output adjustment (0 default, 1 level 1.5 and offset -0.1).
// The two host services a sample uses, the parameter-block read and the output filter, are also
// timed alone.

#include "HostMaps.h"
#include "Parameters.h"
#include "Session.h"
#include "ShadingSamples.h"

#include "shading/ShadeFilm.h"

#include <imtl.h>
#include <iparamb2.h>
#include <maxhost/Host.h>

#include <benchmark/benchmark.h>

#include <array>
#include <vector>

namespace {

using nacreen::bench::kSampleCount;
using nacreen::bench::Sample;
using nacreen::bench::SampleSet;

struct MapSettings {
    bool thicknessMap = false;
    bool adjustedOutput = false;

    int Index() const { return (thicknessMap ? 1 : 0) + (adjustedOutput ? 2 : 0); }
};

// The plug-in loaded once for the program, with one updated map for each combination of settings.
// The maps are released before the library is unloaded.
class LoadedMaps {
public:
    LoadedMaps() : session_(NACREEN_PLUGIN_FOR_BENCHMARK) {
        for (int index = 0; index < static_cast<int>(maps_.size()); ++index) {
            maps_[static_cast<std::size_t>(index)] =
                NewMap(MapSettings{(index & 1) != 0, (index & 2) != 0});
        }
    }
    ~LoadedMaps() {
        for (Texmap* map : maps_) {
            preview::ReleaseMap(map);
        }
    }
    LoadedMaps(const LoadedMaps&) = delete;
    LoadedMaps& operator=(const LoadedMaps&) = delete;

    Texmap& Map(const MapSettings& settings) {
        return *maps_[static_cast<std::size_t>(settings.Index())];
    }

    static LoadedMaps& Instance() {
        static LoadedMaps maps;
        return maps;
    }

private:
    // The controls of the sphere samples, away from neutral, so every step of the shading works.
    Texmap* NewMap(const MapSettings& settings) {
        Texmap* map = session_.CreateMap();
        preview::MapParameters parameters(*map);
        const nacreen::FilmParams& p = nacreen::bench::kSphereParams;
        parameters.SetFloat("nmedium", p.nMedium);
        parameters.SetFloat("nfilm", p.nFilm);
        parameters.SetFloat("ninternal", p.nInternal);
        parameters.SetFloat("thicknessmax", p.thicknessAtZero);
        parameters.SetFloat("thicknessmin", p.thicknessAtOne);
        parameters.SetFloat("hue", p.hueShift);
        parameters.SetFloat("sat", p.saturationShift);
        parameters.SetFloat("gamma", nacreen::bench::kSphereGamma);
        if (settings.thicknessMap) {
            parameters.SetInteger("thicknessmapenabled", 1);
            map->SetSubTexmap(0, new preview::ThicknessRampMap());
        }
        if (settings.adjustedOutput) {
            parameters.Output()->SetFloat("output.RGB_Level", 1.5f);
            parameters.Output()->SetFloat("output.RGB_Offset", -0.1f);
        }
        Interval valid = FOREVER;
        map->Update(0, valid);
        return map;
    }

    preview::NacreenSession session_;
    std::array<Texmap*, 4> maps_{};
};

SampleSet SetOf(const benchmark::State& state) {
    return static_cast<SampleSet>(state.range(0));
}

MapSettings SettingsOf(const benchmark::State& state) {
    return MapSettings{state.range(1) != 0, state.range(2) != 0};
}

void Label(benchmark::State& state) {
    const MapSettings settings = SettingsOf(state);
    std::string label = nacreen::bench::SampleSetName(SetOf(state));
    label += settings.thicknessMap ? ", thickness map" : ", no map";
    label += settings.adjustedOutput ? ", adjusted output" : ", default output";
    state.SetLabel(label);
}

// The shading context of one sample, as a renderer fills it; the ramp map reads the map value
// from u.
void Aim(maxhost::SimpleShadeContext& sc, const Sample& s) {
    sc.view = Point3(s.view.x, s.view.y, s.view.z);
    sc.normal = Point3(s.normal.x, s.normal.y, s.normal.z);
    sc.uvw = Point3(s.mapValue, 0.0f, 0.0f);
}

// The core alone on what the map sees: its own controls, and the map value only when a
// thickness map hands one over.
void BM_ShadeFilm(benchmark::State& state) {
    const std::vector<Sample>& samples = nacreen::bench::Samples(SetOf(state));
    const bool mapped = SettingsOf(state).thicknessMap;
    std::size_t i = 0;
    for (auto _ : state) {
        const Sample& s = samples[i++ & (kSampleCount - 1)];
        benchmark::DoNotOptimize(nacreen::ShadeFilm(s.view, s.normal, mapped ? s.mapValue : 0.0f,
                                                    nacreen::bench::kSphereParams,
                                                    nacreen::bench::kSphereGamma));
    }
    Label(state);
}

template <typename Evaluation> void ThroughThePlugin(benchmark::State& state, Evaluation eval) {
    Texmap& map = LoadedMaps::Instance().Map(SettingsOf(state));
    const std::vector<Sample>& samples = nacreen::bench::Samples(SetOf(state));
    maxhost::SimpleShadeContext sc; // one per thread, as the host keeps them
    std::size_t i = 0;
    for (auto _ : state) {
        Aim(sc, samples[i++ & (kSampleCount - 1)]);
        benchmark::DoNotOptimize(eval(map, sc));
    }
    Label(state);
}

void BM_EvalColor(benchmark::State& state) {
    ThroughThePlugin(state, [](Texmap& map, ShadeContext& sc) { return map.EvalColor(sc); });
}

void BM_EvalMono(benchmark::State& state) {
    ThroughThePlugin(state, [](Texmap& map, ShadeContext& sc) { return map.EvalMono(sc); });
}

// The map's one parameter-block read per sample: gamma at time 0.
void BM_ParamBlockRead(benchmark::State& state) {
    Texmap& map = LoadedMaps::Instance().Map(MapSettings{});
    IParamBlock2* block = map.GetParamBlock(0);
    const ParamID gamma = static_cast<ParamID>(
        preview::FindParameter(preview::MapParameters(map).Table(), "gamma").id);
    for (auto _ : state) {
        benchmark::DoNotOptimize(block->GetFloat(gamma, 0, 0));
    }
}

// The output object's colour filter, at its defaults (argument 0) or adjusted (1).
void BM_OutputFilter(benchmark::State& state) {
    Texmap& map = LoadedMaps::Instance().Map(MapSettings{false, state.range(0) != 0});
    auto* output = dynamic_cast<TextureOutput*>(map.GetReference(2));
    const std::vector<Sample>& samples = nacreen::bench::Samples(SampleSet::Random);
    std::size_t i = 0;
    for (auto _ : state) {
        const Sample& s = samples[i++ & (kSampleCount - 1)];
        benchmark::DoNotOptimize(output->Filter(AColor(s.mapValue, s.view.x, s.view.y, 1.0f)));
    }
    state.SetLabel(state.range(0) != 0 ? "adjusted output" : "default output");
}

// Every combination of settings on both sample sets.
void SettingsArguments(benchmark::internal::Benchmark* b) {
    b->ArgNames({"set", "map", "output"});
    for (int set = 0; set < 2; ++set) {
        b->Args({set, 0, 0})->Args({set, 1, 0})->Args({set, 0, 1});
    }
}

} // namespace

BENCHMARK(BM_ShadeFilm)->Apply(SettingsArguments);
BENCHMARK(BM_EvalColor)->Apply(SettingsArguments);
BENCHMARK(BM_EvalColor)->Args({1, 1, 1})->Threads(2)->UseRealTime();
BENCHMARK(BM_EvalMono)->Args({0, 0, 0})->Args({1, 1, 1});
BENCHMARK(BM_ParamBlockRead);
BENCHMARK(BM_ParamBlockRead)->Threads(2)->UseRealTime();
BENCHMARK(BM_OutputFilter)->Arg(0)->Arg(1);

BENCHMARK_MAIN();
