#include "OutputPlan.h"

#include "ChartLayout.h"
#include "PreviewError.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <unistd.h>

namespace preview {
namespace {

void CheckFolderOf(const std::string& path) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        throw PreviewError("cannot write '" + path + "': folder '" + folder.string() +
                           "' does not exist");
    }
    if (access(folder.c_str(), W_OK | X_OK) != 0) {
        throw PreviewError("cannot write '" + path + "': folder '" + folder.string() +
                           "': " + std::strerror(errno));
    }
}

std::string ModeText(const PreviewOptions& options) {
    if (options.mode == PreviewMode::Chart) {
        return "chart of thickness 0 to " + FormatNumber(options.maxThickness) +
               " nm against viewing angle 0 to 90 degrees";
    }
    return "swatch";
}

} // namespace

std::vector<PlannedFrame> PlanFrames(const PreviewOptions& options) {
    const std::string output =
        options.output.empty() ? DefaultOutput(options.mode) : options.output;
    if (!options.frames) {
        return {{0, 0, output}};
    }
    std::vector<PlannedFrame> frames;
    for (int frame : options.frames->Frames()) {
        frames.push_back({frame, frame * kTicksPerFrame, NumberedFileName(output, frame)});
    }
    return frames;
}

void CheckOutputFolders(const PreviewOptions& options, const std::vector<PlannedFrame>& frames) {
    for (const PlannedFrame& frame : frames) {
        CheckFolderOf(frame.path);
    }
    if (options.saveScene) {
        CheckFolderOf(*options.saveScene);
    }
}

std::vector<PngText> DescribeImage(const PreviewOptions& options, const PlannedFrame& frame,
                                   const std::string& parameterSummary) {
    const std::string description = "Nacreen " + ModeText(options) + ", frame " +
                                    std::to_string(frame.frame) + " (" +
                                    std::to_string(frame.time) + " ticks)";
    return {{"Software", "nacreen-preview"},
            {"Description", description},
            {"Comment", parameterSummary}};
}

std::string AbsoluteText(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

} // namespace preview
