// nacreen-preview's command line: what a run is asked to do, checked for form before the
// plug-in is loaded.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace preview {

// The host's default frame rate, 30 frames per second: 4800 ticks per second / 30.
constexpr int kTicksPerFrame = 160;

constexpr int kMinImageSide = 16;
constexpr int kMaxImageSide = 8192;
constexpr int kMaxSamplesPerSide = 8;
constexpr int kMaxThreads = 256;
constexpr int kMaxFrame = 99999;
constexpr float kMaxChartThickness = 3000.0f;

// Frames first to last, every step-th one, from "A:B" or "A:B:STEP".
struct FrameRange {
    int first = 0;
    int last = 0;
    int step = 1;

    std::vector<int> Frames() const;
};

// One --set: "name=value" sets the value, "name@ticks=value" sets an animation key at that
// time (4800 ticks per second).
struct ParameterAssignment {
    std::string name;
    std::optional<int> keyTime;
    std::string value;

    // Throws UsageError for text of another form.
    static ParameterAssignment Parse(const std::string& text);
};

enum class PreviewMode { Swatch, Chart };

// Everything the command line asks for, with the defaults filled in.
struct PreviewOptions {
    PreviewMode mode = PreviewMode::Swatch;
    std::string output; // nacreen-swatch.png or nacreen-chart.png unless given
    int width = 0;      // 512 x 512 for a swatch, 768 x 512 for a chart unless given
    int height = 0;
    int samplesPerSide = 3;
    bool linear = false;
    float maxThickness = 1000.0f;
    std::vector<ParameterAssignment> assignments;
    std::optional<std::string> thicknessMap; // a PNG path, or "noise"
    std::optional<FrameRange> frames;
    std::optional<std::string> saveScene;
    std::optional<std::string> loadScene;
    int threads = 0; // all cores unless given
    std::string plugin;
    bool help = false;
    bool version = false;
    bool listParameters = false;
};

// Throws UsageError with a one-line message for anything malformed, out of range or
// contradictory.
PreviewOptions ParseCommandLine(int argc, const char* const* argv);

// The text of --help.
const char* UsageText();

// One image the run writes: its file and the host time it shows.
struct PlannedFrame {
    int frame = 0;
    int time = 0; // ticks
    std::string path;
};

// Frame 0 to the output file, or each frame of --frames to its numbered file: the frame number
// in four digits (more when needed) goes before the extension, as the host numbers a
// sequence, "swatch.png" becoming "swatch0012.png".
std::vector<PlannedFrame> PlanFrames(const PreviewOptions& options);

// Strict conversions of command-line text: the whole text must be the number, with no spaces
// (a leading '+' is allowed), and a float must be finite. No value for anything else.
std::optional<long long> ParseWholeNumber(const std::string& text);
std::optional<float> ParseFloat(const std::string& text);

} // namespace preview
