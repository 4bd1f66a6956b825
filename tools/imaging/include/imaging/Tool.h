// What every tool shares: one error type, and a main that turns every failure into one line.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace imaging {

// A failure the user can act on. Its message is one line, printed after the tool's name.
class ToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A mistake on the command line: reported the same way, with a hint to --help.
class UsageError : public ToolError {
public:
    using ToolError::ToolError;
};

constexpr int kFailureStatus = 1;
constexpr int kUsageStatus = 2;

// Runs a tool and returns its exit status: the body's own, kUsageStatus after a UsageError and
// kFailureStatus after any other exception, which is printed to standard error as one line
// "name: message". Standard output is flushed at the end, and output that could not be written
// there (a full disk, a closed pipe) is a failure too.
int RunTool(const char* name, const std::function<int()>& body);

// Throws ToolError unless everything written to standard output so far has been delivered.
void FlushStandardOutput();

} // namespace imaging
