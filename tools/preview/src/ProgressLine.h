#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace preview {

// One line on a terminal that counts a render's rows, rewritten in place. It stays silent for
// renders that finish within the delay, and when the stream is not a terminal.
class ProgressLine {
public:
    using Clock = std::chrono::steady_clock;

    ProgressLine(std::FILE* stream, bool enabled, Clock::duration delay = std::chrono::seconds(1));

    // Shown on the terminal: the stream is one and is open.
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

} // namespace preview
