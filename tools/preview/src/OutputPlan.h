#pragma once

#include "PngWriter.h"
#include "PreviewOptions.h"

#include <string>
#include <vector>

namespace preview {

// One image the run will write: its file and the host time it shows.
struct PlannedFrame {
    int frame = 0;
    int time = 0; // ticks
    std::string path;
};

// Frame 0 to the output file, or each frame of --frames to its numbered file.
std::vector<PlannedFrame> PlanFrames(const PreviewOptions& options);

// Fails early, before anything is rendered or saved, when a folder to write in is missing or
// not writable. Throws PreviewError naming the folder.
void CheckOutputFolders(const PreviewOptions& options, const std::vector<PlannedFrame>& frames);

// The tEXt chunks that say how an image was made: the tool and the map's parameters.
std::vector<PngText> DescribeImage(const PreviewOptions& options, const PlannedFrame& frame,
                                   const std::string& parameterSummary);

// The path made absolute, for messages.
std::string AbsoluteText(const std::string& path);

} // namespace preview
