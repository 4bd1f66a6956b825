// nacreen-preview: renders the Nacreen map without 3ds Max, loading Nacreen.dlt as 3ds Max does.
#include "HostMaps.h"
#include "Options.h"
#include "Parameters.h"
#include "Render.h"
#include "Session.h"
#include "imaging/Chart.h"
#include "imaging/Files.h"
#include "imaging/Png.h"
#include "imaging/Tool.h"

#include <imtl.h>

#include <cstdio>
#include <filesystem>

namespace preview {
namespace {

// Every file the run writes, checked before the plug-in is even loaded: none may be an input.
void PlanOutputs(const PreviewOptions& options, const std::vector<PlannedFrame>& frames,
                 imaging::StagedOutputs& outputs) {
    for (const PlannedFrame& frame : frames) {
        outputs.Plan(frame.path);
    }
    if (options.saveScene) {
        outputs.Plan(*options.saveScene);
    }
    if (options.loadScene) {
        outputs.CheckNotInput(*options.loadScene);
    }
    if (options.thicknessMap && *options.thicknessMap != "noise") {
        outputs.CheckNotInput(*options.thicknessMap);
    }
    outputs.CheckNotInput(PluginPath(options.plugin));
}

MapHandle CreateOrLoadMap(NacreenSession& session, const PreviewOptions& options) {
    if (options.loadScene) {
        return LoadMapScene(*options.loadScene);
    }
    return MapHandle(session.CreateMap());
}

void ConfigureMap(Texmap& map, MapParameters& parameters, const PreviewOptions& options) {
    if (options.thicknessMap) {
        Texmap* thicknessMap = *options.thicknessMap == "noise"
                                   ? static_cast<Texmap*>(new NoiseThicknessMap())
                                   : new BitmapThicknessMap(*options.thicknessMap);
        map.SetSubTexmap(0, thicknessMap);
        parameters.SetInteger("thicknessmapenabled", 1);
    }
    for (const ParameterAssignment& assignment : options.assignments) {
        parameters.Apply(assignment);
    }
}

std::string AbsoluteText(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

// The tEXt chunks that say how an image was made: the tool and the map's parameters.
std::vector<imaging::PngText> DescribeImage(const PreviewOptions& options,
                                            const PlannedFrame& frame,
                                            const std::string& parameterSummary) {
    const std::string mode = options.mode == PreviewMode::Chart
                                 ? "chart of thickness 0 to " +
                                       imaging::FormatNumber(options.maxThickness) +
                                       " nm against viewing angle 0 to 90 degrees"
                                 : "swatch";
    return {{"Software", "nacreen-preview"},
            {"Description", "Nacreen " + mode + ", frame " + std::to_string(frame.frame) + " (" +
                                std::to_string(frame.time) + " ticks)"},
            {"Comment", parameterSummary}};
}

// Renders every frame into its staged file; nothing is put in place until all are written.
void RenderAll(Texmap& map, MapParameters& parameters, const PreviewOptions& options,
               const std::vector<PlannedFrame>& frames, imaging::StagedOutputs& outputs) {
    std::vector<std::vector<imaging::PngText>> texts;
    std::vector<std::vector<float>> filmThicknesses;
    for (const PlannedFrame& frame : frames) {
        texts.push_back(DescribeImage(options, frame, parameters.Summary(frame.time)));
        filmThicknesses.push_back(FilmThicknesses(map, parameters, frame.time));
    }
    if (options.mode == PreviewMode::Chart) {
        PrepareChartMap(map, parameters, options.maxThickness);
    }
    FrameSettings settings;
    settings.mode = options.mode;
    settings.width = options.width;
    settings.height = options.height;
    settings.samplesPerSide = options.samplesPerSide;
    settings.threads = options.threads > 0 ? options.threads : AvailableThreads();
    settings.maxThickness = options.maxThickness;
    const imaging::PixelEncoding encoding =
        options.linear ? imaging::PixelEncoding::Linear : imaging::PixelEncoding::Srgb;
    ProgressLine progress(stderr, ProgressLine::IsTerminal(stderr));
    for (std::size_t index = 0; index < frames.size(); ++index) {
        const std::string count = frames.size() > 1 ? " (" + std::to_string(index + 1) + "/" +
                                                          std::to_string(frames.size()) + ")"
                                                    : "";
        progress.Start("Rendering " + frames[index].path + count, settings.height);
        settings.markedThicknesses = filmThicknesses[index];
        const std::vector<std::uint8_t> png = imaging::EncodePng(
            RenderFrame(map, frames[index].time, settings, &progress), encoding, texts[index]);
        outputs.Stage(frames[index].path, png.data(), png.size());
    }
}

int Run(const PreviewOptions& options) {
    if (options.help || options.version) {
        std::fputs(options.help ? UsageText() : "nacreen-preview " NACREEN_VERSION_TEXT "\n",
                   stdout);
        return 0;
    }
    imaging::StagedOutputs outputs;
    const std::vector<PlannedFrame> frames = PlanFrames(options);
    if (!options.listParameters) {
        PlanOutputs(options, frames, outputs);
    }
    NacreenSession session(PluginPath(options.plugin));
    RegisterHostTexmapClasses();
    MapHandle map = CreateOrLoadMap(session, options);
    MapParameters parameters(*map);
    if (options.listParameters) {
        std::fputs(parameters.Listing("Parameters of the Nacreen map (set with --set NAME=VALUE):")
                       .c_str(),
                   stdout);
        if (parameters.Output() != nullptr) {
            std::fputs(parameters.Output()
                           ->Listing("Its output (set with --set output.NAME=VALUE):")
                           .c_str(),
                       stdout);
        }
        return 0;
    }
    ConfigureMap(*map, parameters, options);
    // A loaded scene's thickness maps are inputs as well.
    for (const std::string& input : ThicknessMapFiles(*map)) {
        outputs.CheckNotInput(input);
    }
    if (options.saveScene) {
        const std::vector<unsigned char> scene = SaveMapScene(*map);
        outputs.Stage(*options.saveScene, scene.data(), scene.size());
    }
    RenderAll(*map, parameters, options, frames, outputs);
    if (options.saveScene) {
        std::printf("Saved scene to %s\n", AbsoluteText(*options.saveScene).c_str());
    }
    for (const PlannedFrame& frame : frames) {
        std::printf("Wrote %s %dx%d to %s\n",
                    options.mode == PreviewMode::Chart ? "chart" : "swatch", options.width,
                    options.height, AbsoluteText(frame.path).c_str());
    }
    // What the run says it wrote must reach the user before anything is put in place.
    imaging::FlushStandardOutput();
    outputs.CommitAll();
    return 0;
}

} // namespace
} // namespace preview

int main(int argc, char** argv) {
    return imaging::RunTool("nacreen-preview",
                            [&] { return preview::Run(preview::ParseCommandLine(argc, argv)); });
}
