#include "FrameRange.h"

#include "NumberText.h"
#include "PreviewError.h"

#include <cstdio>
#include <filesystem>
#include <optional>

namespace preview {
namespace {

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
    if (!value || *value < lowest || *value > FrameRange::kMaxFrame) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

[[noreturn]] void RejectFrames(const std::string& text) {
    throw UsageError("--frames '" + text + "': expected A:B or A:B:STEP with whole frames 0 to " +
                     std::to_string(FrameRange::kMaxFrame) + ", A <= B and STEP 1 or more");
}

} // namespace

FrameRange FrameRange::Parse(const std::string& text) {
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

std::vector<int> FrameRange::Frames() const {
    std::vector<int> frames;
    for (int frame = first; frame <= last; frame += step) {
        frames.push_back(frame);
    }
    return frames;
}

std::string NumberedFileName(const std::string& path, int frame) {
    const std::filesystem::path original(path);
    char number[16];
    std::snprintf(number, sizeof number, "%04d", frame);
    std::filesystem::path numbered = original.parent_path() / original.stem();
    numbered += number;
    numbered += original.extension();
    return numbered.string();
}

} // namespace preview
