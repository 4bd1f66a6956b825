#include "Options.h"

#include "imaging/Tool.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <utility>

namespace preview {
namespace {

using imaging::UsageError;

// The smallest chart the layout still fits.
constexpr int kMinChartWidth = 160;
constexpr int kMinChartHeight = 120;

// from_chars takes no leading '+', which users write for keys such as hue=+30.
std::string WithoutPlus(const std::string& text) {
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') {
        return text.substr(1);
    }
    return text;
}

class ArgumentReader {
public:
    ArgumentReader(int argc, const char* const* argv) : arguments_(argv + 1, argv + argc) {}

    bool Done() const { return index_ >= arguments_.size(); }

    // The next option name; "--name=value" leaves the value for Value().
    std::string NextOption() {
        std::string argument = arguments_[index_++];
        inlineValue_.reset();
        const std::size_t equals = argument.find('=');
        if (argument.rfind("--", 0) == 0 && equals != std::string::npos) {
            inlineValue_ = argument.substr(equals + 1);
            argument.resize(equals);
        }
        return argument;
    }

    std::string Value(const std::string& option) {
        if (inlineValue_) {
            return *std::exchange(inlineValue_, std::nullopt);
        }
        if (Done()) {
            throw UsageError(option + " needs a value");
        }
        return arguments_[index_++];
    }

    bool HasInlineValue() const { return inlineValue_.has_value(); }

private:
    std::vector<std::string> arguments_;
    std::size_t index_ = 0;
    std::optional<std::string> inlineValue_;
};

int WholeNumberIn(const std::string& option, const std::string& text, int lowest, int highest) {
    const std::optional<long long> value = ParseWholeNumber(text);
    if (!value || *value < lowest || *value > highest) {
        throw UsageError(option + " " + text + ": expected a whole number from " +
                         std::to_string(lowest) + " to " + std::to_string(highest));
    }
    return static_cast<int>(*value);
}

void ParseSize(const std::string& text, PreviewOptions& options) {
    const std::size_t cross = text.find('x');
    const std::string range = "--size " + text + ": expected N or WxH with sides from " +
                              std::to_string(kMinImageSide) + " to " +
                              std::to_string(kMaxImageSide) + " pixels";
    const std::optional<long long> width = ParseWholeNumber(text.substr(0, cross));
    const std::optional<long long> height =
        cross == std::string::npos ? width : ParseWholeNumber(text.substr(cross + 1));
    for (const std::optional<long long>& side : {width, height}) {
        if (!side || *side < kMinImageSide || *side > kMaxImageSide) {
            throw UsageError(range);
        }
    }
    options.width = static_cast<int>(*width);
    options.height = static_cast<int>(*height);
}

float MaxThickness(const std::string& text) {
    const std::optional<float> value = ParseFloat(text);
    if (!value || *value < 1.0f || *value > kMaxChartThickness) {
        throw UsageError("--max-thickness " + text + ": expected a thickness from 1 to 3000 nm");
    }
    return *value;
}

std::vector<std::string> SplitAtColons(const std::string& text) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == ':') {
            parts.emplace_back();
        } else {
            parts.back().push_back(c);
        }
    }
    return parts;
}

std::optional<int> FrameNumber(const std::string& text, int lowest) {
    const std::optional<long long> value = ParseWholeNumber(text);
    if (!value || *value < lowest || *value > kMaxFrame) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

[[noreturn]] void RejectFrames(const std::string& text) {
    throw UsageError("--frames '" + text + "': expected A:B or A:B:STEP with whole frames 0 to " +
                     std::to_string(kMaxFrame) + ", A <= B and STEP 1 or more");
}

FrameRange ParseFrames(const std::string& text) {
    const std::vector<std::string> parts = SplitAtColons(text);
    if (parts.size() != 2 && parts.size() != 3) {
        RejectFrames(text);
    }
    const std::optional<int> first = FrameNumber(parts[0], 0);
    const std::optional<int> last = FrameNumber(parts[1], 0);
    const std::optional<int> step = parts.size() == 3 ? FrameNumber(parts[2], 1) : 1;
    if (!first || !last || !step || *first > *last) {
        RejectFrames(text);
    }
    return {*first, *last, *step};
}

int ParseKeyTime(const std::string& assignment, const std::string& text) {
    const std::optional<long long> ticks = ParseWholeNumber(text);
    // The host's extreme tick values stand for "forever" and are not times a key can sit at.
    if (!ticks || *ticks <= INT_MIN || *ticks >= INT_MAX) {
        throw UsageError("--set " + assignment + ": the key time '" + text +
                         "' is not a whole number of ticks (4800 per second)");
    }
    return static_cast<int>(*ticks);
}

using OptionHandler = std::function<void(ArgumentReader&, const std::string&, PreviewOptions&)>;

OptionHandler Flag(std::function<void(PreviewOptions&)> set) {
    return [set](ArgumentReader& reader, const std::string& option, PreviewOptions& options) {
        if (reader.HasInlineValue()) {
            throw UsageError(option + " takes no value");
        }
        set(options);
    };
}

OptionHandler
Valued(std::function<void(const std::string&, const std::string&, PreviewOptions&)> set) {
    return [set](ArgumentReader& reader, const std::string& option, PreviewOptions& options) {
        set(option, reader.Value(option), options);
    };
}

const std::map<std::string, OptionHandler>& Handlers() {
    static const std::map<std::string, OptionHandler> handlers = {
        {"--help", Flag([](PreviewOptions& o) { o.help = true; })},
        {"--version", Flag([](PreviewOptions& o) { o.version = true; })},
        {"-h", Flag([](PreviewOptions& o) { o.help = true; })},
        {"--list", Flag([](PreviewOptions& o) { o.listParameters = true; })},
        {"--chart", Flag([](PreviewOptions& o) { o.mode = PreviewMode::Chart; })},
        {"--linear", Flag([](PreviewOptions& o) { o.linear = true; })},
        {"--output", Valued([](auto&, auto& v, PreviewOptions& o) { o.output = v; })},
        {"-o", Valued([](auto&, auto& v, PreviewOptions& o) { o.output = v; })},
        {"--size", Valued([](auto&, auto& v, PreviewOptions& o) { ParseSize(v, o); })},
        {"--samples", Valued([](auto& n, auto& v, PreviewOptions& o) {
             o.samplesPerSide = WholeNumberIn(n, v, 1, kMaxSamplesPerSide);
         })},
        {"--threads", Valued([](auto& n, auto& v, PreviewOptions& o) {
             o.threads = WholeNumberIn(n, v, 1, kMaxThreads);
         })},
        {"--max-thickness",
         Valued([](auto&, auto& v, PreviewOptions& o) { o.maxThickness = MaxThickness(v); })},
        {"--set", Valued([](auto&, auto& v, PreviewOptions& o) {
             o.assignments.push_back(ParameterAssignment::Parse(v));
         })},
        {"--thickness-map", Valued([](auto&, auto& v, PreviewOptions& o) { o.thicknessMap = v; })},
        {"--frames", Valued([](auto&, auto& v, PreviewOptions& o) { o.frames = ParseFrames(v); })},
        {"--save", Valued([](auto&, auto& v, PreviewOptions& o) { o.saveScene = v; })},
        {"--load", Valued([](auto&, auto& v, PreviewOptions& o) { o.loadScene = v; })},
        {"--plugin", Valued([](auto&, auto& v, PreviewOptions& o) { o.plugin = v; })},
    };
    return handlers;
}

void CheckNotEmpty(const std::optional<std::string>& value, const char* option) {
    if (value && value->empty()) {
        throw UsageError(std::string(option) + " needs a file name");
    }
}

bool EndsWithPng(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension == ".png";
}

// The defaults of what was not given, and what no single option can check on its own.
void Complete(PreviewOptions& options, const std::set<std::string>& given) {
    const bool chart = options.mode == PreviewMode::Chart;
    if (options.output.empty()) {
        options.output = chart ? "nacreen-chart.png" : "nacreen-swatch.png";
    }
    if (!EndsWithPng(options.output)) {
        throw UsageError("-o " + options.output +
                         ": the image is written as a PNG, so its name must end in .png");
    }
    if (given.count("--max-thickness") != 0 && !chart) {
        throw UsageError("--max-thickness sets the chart's thickness axis: add --chart");
    }
    if (options.width == 0) {
        options.width = chart ? 768 : 512;
        options.height = 512;
    }
    if (chart && (options.width < kMinChartWidth || options.height < kMinChartHeight)) {
        throw UsageError("--size " + std::to_string(options.width) + "x" +
                         std::to_string(options.height) + ": a chart needs at least " +
                         std::to_string(kMinChartWidth) + "x" + std::to_string(kMinChartHeight) +
                         " pixels");
    }
    CheckNotEmpty(options.thicknessMap, "--thickness-map");
    CheckNotEmpty(options.saveScene, "--save");
    CheckNotEmpty(options.loadScene, "--load");
}

} // namespace

PreviewOptions ParseCommandLine(int argc, const char* const* argv) {
    PreviewOptions options;
    std::set<std::string> given;
    ArgumentReader reader(argc, argv);
    while (!reader.Done()) {
        const std::string option = reader.NextOption();
        const auto handler = Handlers().find(option);
        if (handler == Handlers().end()) {
            throw UsageError("unknown option '" + option + "'");
        }
        handler->second(reader, option, options);
        given.insert(option);
    }
    Complete(options, given);
    return options;
}

std::vector<int> FrameRange::Frames() const {
    std::vector<int> frames;
    for (int frame = first; frame <= last; frame += step) {
        frames.push_back(frame);
    }
    return frames;
}

ParameterAssignment ParameterAssignment::Parse(const std::string& text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == text.size()) {
        throw UsageError("--set '" + text + "': expected NAME=VALUE or NAME@TICKS=VALUE");
    }
    ParameterAssignment assignment;
    const std::string target = text.substr(0, equals);
    assignment.value = text.substr(equals + 1);
    const std::size_t at = target.find('@');
    assignment.name = target.substr(0, at);
    if (assignment.name.empty()) {
        throw UsageError("--set '" + text + "': expected NAME=VALUE or NAME@TICKS=VALUE");
    }
    if (at != std::string::npos) {
        assignment.keyTime = ParseKeyTime(text, target.substr(at + 1));
    }
    return assignment;
}

std::vector<PlannedFrame> PlanFrames(const PreviewOptions& options) {
    if (!options.frames) {
        return {{0, 0, options.output}};
    }
    const std::filesystem::path original(options.output);
    std::vector<PlannedFrame> frames;
    for (int frame : options.frames->Frames()) {
        char number[16];
        std::snprintf(number, sizeof number, "%04d", frame);
        std::filesystem::path numbered = original.parent_path() / original.stem();
        numbered += number;
        numbered += original.extension();
        frames.push_back({frame, frame * kTicksPerFrame, numbered.string()});
    }
    return frames;
}

std::optional<long long> ParseWholeNumber(const std::string& text) {
    const std::string digits = WithoutPlus(text);
    long long value = 0;
    const char* end = digits.data() + digits.size();
    const auto result = std::from_chars(digits.data(), end, value);
    if (digits.empty() || result.ec != std::errc() || result.ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<float> ParseFloat(const std::string& text) {
    const std::string digits = WithoutPlus(text);
    float value = 0.0f;
    const char* end = digits.data() + digits.size();
    const auto result = std::from_chars(digits.data(), end, value);
    if (digits.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

const char* UsageText() {
    return R"(Usage: nacreen-preview [options]
Renders the Nacreen texture map without 3ds Max: loads Nacreen.dlt as 3ds Max does and shows
what the material editor's sample slot (a swatch) or a thickness-angle chart would show.
With no options it writes a 512x512 swatch of a new map to nacreen-swatch.png.

Image
  -o, --output FILE.png     file to write, a name ending in .png (default nacreen-swatch.png,
                            or nacreen-chart.png with --chart); with --frames the frame number
                            goes before the extension: FILE0012.png
  --chart                   colour over film thickness (x, nm) and viewing angle (y, degrees)
                            instead of a sphere; triangles over the axis mark the map's own
                            thickness (both ends of its range with a thickness map)
  --max-thickness NM        right end of a chart's thickness axis, 1 to 3000 (default 1000)
  --size N | WxH            image size in pixels, sides 16 to 8192 (default 512 for a swatch,
                            768x512 for a chart; a chart needs at least 160x120)
  --samples N               N x N samples per pixel for smooth edges, 1 to 8 (default 3)
  --linear                  store linear values instead of sRGB-encoded ones
Map
  --set NAME=VALUE          set a parameter by its scripting name, in any case as in
                            MAXScript, e.g. --set nfilm=1.33; repeat for several (--list
                            shows names, ranges and defaults)
  --set NAME@TICKS=VALUE    set an animation key at a time in ticks (4800 per second), as
                            MAXScript does with animate on
  --set output.NAME=VALUE   set the map's output adjustment, e.g. output.RGB_Level=1.5
  --thickness-map FILE.png  modulate the thickness by a grey or colour PNG over the sphere's
                            UVs (black: thicknessmax, white: thicknessmin) and switch
                            thicknessmapenabled on
  --thickness-map noise     the same with a procedural noise map
  --list                    list the map's parameters and exit
Animation
  --frames A:B[:STEP]       render frames A to B, every STEP-th (30 frames per second,
                            160 ticks a frame), one numbered file each
Scenes
  --save FILE.nscn          also save the map (parameters, keys, thickness map, output) to a
                            scene file
  --load FILE.nscn          start from a saved map instead of a new one
Host
  --threads N               render threads, 1 to 256 (default: one per core)
  --plugin FILE.dlt         the plug-in library to load (default: the one built with the tool)
  -h, --help                show this text
  --version                 show the version

Exit status: 0 on success, 1 when the plug-in, a scene, an image or a file fails, 2 for a
usage error. Every output is written whole, and only once all of them are: when a run fails,
nothing is written or replaced. Only a regular file is ever replaced.
)";
}

} // namespace preview
