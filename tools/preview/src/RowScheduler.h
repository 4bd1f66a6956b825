#pragma once

#include "ProgressLine.h"

#include <functional>

namespace preview {

// Renders one row; made once per thread so that each thread owns what it shades with.
using RowRenderer = std::function<void(int row)>;
using RowRendererFactory = std::function<RowRenderer()>;

// The number of threads "all cores" means here: the hardware's count, at least 1.
int AvailableThreads();

// Runs rows 0 to rowCount - 1 on threadCount threads, each row exactly once. Rows are handed
// out one at a time, so the work spreads evenly; each row's result depends only on the row,
// so the image is the same whatever the thread count. The factory is called on the calling
// thread, once per worker, before any row starts. The first exception a row throws stops the
// others from taking new rows and is rethrown here once all threads have ended. The progress
// line, if given, is driven from the calling thread.
void RenderRows(int rowCount, int threadCount, const RowRendererFactory& makeRenderer,
                ProgressLine* progress);

} // namespace preview
