#include "ProgressLine.h"

#include <unistd.h>

namespace preview {

ProgressLine::ProgressLine(std::FILE* stream, bool enabled, Clock::duration delay)
    : stream_(stream), enabled_(enabled), delay_(delay) {}

bool ProgressLine::IsTerminal(std::FILE* stream) {
    return stream != nullptr && isatty(fileno(stream)) != 0;
}

void ProgressLine::Start(const std::string& label, int total) {
    label_ = label;
    total_ = total;
    shown_ = false;
    lastPercent_ = -1;
    started_ = Clock::now();
}

void ProgressLine::Show(int done) {
    if (!enabled_ || total_ <= 0 || Clock::now() - started_ < delay_) {
        return;
    }
    const int percent = static_cast<int>(100LL * done / total_);
    if (percent == lastPercent_) {
        return;
    }
    lastPercent_ = percent;
    std::fprintf(stream_, "\r%s: %3d%%", label_.c_str(), percent);
    std::fflush(stream_);
    shown_ = true;
}

void ProgressLine::Finish() {
    if (shown_) {
        std::fprintf(stream_, "\r\033[K");
        std::fflush(stream_);
        shown_ = false;
    }
}

} // namespace preview
