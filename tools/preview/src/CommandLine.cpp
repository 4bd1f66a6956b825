#include "ChartLayout.h"
#include "NumberText.h"
#include "PreviewError.h"
#include "PreviewOptions.h"

#include <functional>
#include <map>
#include <utility>

namespace preview {
namespace {

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
        {"--frames",
         Valued([](auto&, auto& v, PreviewOptions& o) { o.frames = FrameRange::Parse(v); })},
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

void CheckChartSize(const PreviewOptions& options) {
    if (options.mode == PreviewMode::Chart && options.width != 0 &&
        (options.width < ChartLayout::kMinWidth || options.height < ChartLayout::kMinHeight)) {
        throw UsageError("--size " + std::to_string(options.width) + "x" +
                         std::to_string(options.height) + ": a chart needs at least " +
                         std::to_string(ChartLayout::kMinWidth) + "x" +
                         std::to_string(ChartLayout::kMinHeight) + " pixels");
    }
}

} // namespace

PreviewOptions ParseCommandLine(int argc, const char* const* argv) {
    PreviewOptions options;
    ArgumentReader reader(argc, argv);
    while (!reader.Done()) {
        const std::string option = reader.NextOption();
        const auto handler = Handlers().find(option);
        if (handler == Handlers().end()) {
            throw UsageError("unknown option '" + option + "'");
        }
        handler->second(reader, option, options);
    }
    CheckNotEmpty(options.thicknessMap, "--thickness-map");
    CheckNotEmpty(options.saveScene, "--save");
    CheckNotEmpty(options.loadScene, "--load");
    CheckChartSize(options);
    return options;
}

std::string DefaultOutput(PreviewMode mode) {
    return mode == PreviewMode::Chart ? "nacreen-chart.png" : "nacreen-swatch.png";
}

void ApplyDefaultSize(PreviewOptions& options) {
    if (options.width != 0) {
        return;
    }
    options.width = options.mode == PreviewMode::Chart ? 768 : 512;
    options.height = 512;
}

} // namespace preview
