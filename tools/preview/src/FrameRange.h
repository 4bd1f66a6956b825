#pragma once

#include <string>
#include <vector>

namespace preview {

// The host's default frame rate, 30 frames per second: 4800 ticks per second / 30.
constexpr int kTicksPerFrame = 160;

// Frames first to last, every step-th one, from "A:B" or "A:B:step".
struct FrameRange {
    int first = 0;
    int last = 0;
    int step = 1;

    static constexpr int kMaxFrame = 99999;

    // Throws UsageError naming the accepted form and range.
    static FrameRange Parse(const std::string& text);

    std::vector<int> Frames() const;
};

// The host's way of numbering a sequence: the frame number in four digits (more when needed)
// goes before the extension, "swatch.png" becoming "swatch0012.png".
std::string NumberedFileName(const std::string& path, int frame);

} // namespace preview
