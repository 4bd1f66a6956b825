#pragma once

#include <stdexcept>
#include <string>

namespace preview {

// A failure the user can act on. Its message is one line, printed as it stands, and the tool
// exits non-zero without leaving a partial file behind.
class PreviewError : public std::runtime_error {
public:
    explicit PreviewError(const std::string& message) : std::runtime_error(message) {}
};

// A mistake on the command line: reported the same way, with a hint to --help.
class UsageError : public PreviewError {
public:
    explicit UsageError(const std::string& message) : PreviewError(message) {}
};

} // namespace preview
