// Rendering a frame the way the host renders: the map is updated for the frame's time once,
// then every sample is evaluated with EvalColor on the render threads, each thread with a
// shading context of its own, one row at a time.
#pragma once

#include "Options.h"
#include "imaging/Image.h"

#include <maxtypes.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

class Texmap;

namespace preview {

// One line on a terminal that counts a render's rows, rewritten in place. It stays silent for
// renders that finish within the delay, and when the stream is not a terminal.
class ProgressLine {
public:
    using Clock = std::chrono::steady_clock;

    ProgressLine(std::FILE* stream, bool enabled, Clock::duration delay = std::chrono::seconds(1));

    static bool IsTerminal(std::FILE* stream);

    void Start(const std::string& label, int total);
    void Show(int done);
    // Clears the line if one was shown.
    void Finish();

private:
    std::FILE* stream_;
    bool enabled_;
    Clock::duration delay_;
    Clock::time_point started_;
    std::string label_;
    int total_ = 0;
    bool shown_ = false;
    int lastPercent_ = -1;
};

// Renders one row; made once per thread so that each thread owns what it shades with.
using RowRenderer = std::function<void(int row)>;

// The number of threads "all cores" means here: the hardware's count, at least 1.
int AvailableThreads();

// Runs rows 0 to rowCount - 1 on up to threadCount threads, the calling thread one of them,
// each row exactly once; each row's result depends only on the row, so the image is the same
// whatever the thread count. When the system refuses a thread (a memory or process limit), the
// rows go to the threads it gave. The factory is called on the calling thread, once per
// thread, before any row starts. The first exception a row throws stops the others from
// taking new rows and is rethrown once every thread has ended. The calling thread drives the
// progress line, if given.
void RenderRows(int rowCount, int threadCount, const std::function<RowRenderer()>& makeRenderer,
                ProgressLine* progress);

struct FrameSettings {
    PreviewMode mode = PreviewMode::Swatch;
    int width = 512;
    int height = 512;
    int samplesPerSide = 1;
    int threads = 1;
    float maxThickness = 1000.0f;         // chart only
    std::vector<float> markedThicknesses; // chart only: the user's film, marked on the axis
};

// A swatch of the map, or for a chart a map prepared with PrepareChartMap, with the chart's
// axes and labels.
imaging::LinearImage RenderFrame(Texmap& map, TimeValue t, const FrameSettings& settings,
                                 ProgressLine* progress);

} // namespace preview
