#include "PreviewApp.h"

#include "BitmapThicknessMap.h"
#include "ChartMap.h"
#include "FrameRenderer.h"
#include "HostTexmapClasses.h"
#include "MapParameters.h"
#include "NacreenSession.h"
#include "NoiseThicknessMap.h"
#include "OutputPlan.h"
#include "ParameterListing.h"
#include "PngWriter.h"
#include "PreviewError.h"
#include "RowScheduler.h"
#include "SceneFiles.h"
#include "UsageText.h"

#include <imtl.h>

#include <memory>

namespace preview {
namespace {

constexpr int kUsageStatus = 2;
constexpr int kFailureStatus = 1;

// The map for the run, ended when the run ends.
struct MapReleaser {
    void operator()(Texmap* map) const { ReleaseMap(map); }
};
using MapHandle = std::unique_ptr<Texmap, MapReleaser>;

MapHandle CreateOrLoadMap(NacreenSession& session, const PreviewOptions& options) {
    if (options.loadScene) {
        return MapHandle(LoadMapScene(*options.loadScene));
    }
    return MapHandle(session.CreateMap());
}

Texmap* NewThicknessMap(const std::string& source) {
    if (source == "noise") {
        return new NoiseThicknessMap();
    }
    return new BitmapThicknessMap(source);
}

void ConfigureMap(Texmap& map, MapParameters& parameters, const PreviewOptions& options) {
    if (options.thicknessMap) {
        map.SetSubTexmap(0, NewThicknessMap(*options.thicknessMap));
        parameters.SetInteger("thicknessmapenabled", 1);
    }
    for (const ParameterAssignment& assignment : options.assignments) {
        parameters.Apply(assignment);
    }
}

FrameSettings SettingsFor(const PreviewOptions& options) {
    FrameSettings settings;
    settings.mode = options.mode;
    settings.width = options.width;
    settings.height = options.height;
    settings.samplesPerSide = options.samplesPerSide;
    settings.threads = options.threads > 0 ? options.threads : AvailableThreads();
    settings.maxThickness = options.maxThickness;
    return settings;
}

void RenderAll(Texmap& map, MapParameters& parameters, const PreviewOptions& options,
               const std::vector<PlannedFrame>& frames, std::FILE* out, std::FILE* err) {
    std::vector<std::vector<PngText>> texts;
    std::vector<std::vector<float>> filmThicknesses;
    for (const PlannedFrame& frame : frames) {
        texts.push_back(DescribeImage(options, frame, parameters.Summary(frame.time)));
        filmThicknesses.push_back(FilmThicknesses(map, parameters, frame.time));
    }
    if (options.mode == PreviewMode::Chart) {
        PrepareChartMap(map, parameters, options.maxThickness);
    }
    FrameSettings settings = SettingsFor(options);
    const PixelEncoding encoding = options.linear ? PixelEncoding::Linear : PixelEncoding::Srgb;
    ProgressLine progress(err, ProgressLine::IsTerminal(err));
    for (std::size_t index = 0; index < frames.size(); ++index) {
        const std::string count = frames.size() > 1 ? " (" + std::to_string(index + 1) + "/" +
                                                          std::to_string(frames.size()) + ")"
                                                    : "";
        progress.Start("Rendering " + frames[index].path + count, settings.height);
        settings.markedThicknesses = filmThicknesses[index];
        const LinearImage image = RenderFrame(map, frames[index].time, settings, &progress);
        WritePng(frames[index].path, image, encoding, texts[index]);
        std::fprintf(out, "Wrote %s %dx%d to %s\n",
                     options.mode == PreviewMode::Chart ? "chart" : "swatch", settings.width,
                     settings.height, AbsoluteText(frames[index].path).c_str());
    }
}

void PrintParameterLists(MapParameters& parameters, std::FILE* out) {
    const std::string map = ListParameters(
        "Parameters of the Nacreen map (set with --set NAME=VALUE):", parameters.Table());
    std::fputs(map.c_str(), out);
    if (parameters.Output() != nullptr) {
        const std::string output = ListParameters("Its output (set with --set output.NAME=VALUE):",
                                                  parameters.Output()->Table());
        std::fputs(output.c_str(), out);
    }
}

int Run(const PreviewOptions& options, std::FILE* out, std::FILE* err) {
    NacreenSession session(PluginPath(options));
    RegisterHostTexmapClasses();
    MapHandle map = CreateOrLoadMap(session, options);
    MapParameters parameters(*map);
    if (options.listParameters) {
        PrintParameterLists(parameters, out);
        return 0;
    }
    ConfigureMap(*map, parameters, options);
    const std::vector<PlannedFrame> frames = PlanFrames(options);
    CheckOutputFolders(options, frames);
    if (options.saveScene) {
        SaveMapScene(*options.saveScene, *map);
        std::fprintf(out, "Saved scene to %s\n", AbsoluteText(*options.saveScene).c_str());
    }
    RenderAll(*map, parameters, options, frames, out, err);
    return 0;
}

} // namespace

int RunPreview(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    try {
        PreviewOptions options = ParseCommandLine(argc, argv);
        if (options.help) {
            std::fputs(UsageText(), out);
            return 0;
        }
        ApplyDefaultSize(options);
        return Run(options, out, err);
    } catch (const UsageError& error) {
        std::fprintf(err, "nacreen-preview: %s (see --help)\n", error.what());
        return kUsageStatus;
    } catch (const PreviewError& error) {
        std::fprintf(err, "nacreen-preview: %s\n", error.what());
        return kFailureStatus;
    } catch (const std::bad_alloc&) {
        std::fprintf(err, "nacreen-preview: out of memory\n");
        return kFailureStatus;
    }
}

} // namespace preview
