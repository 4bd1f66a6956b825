#include "ParameterAssignment.h"

#include "NumberText.h"
#include "PreviewError.h"

#include <climits>

namespace preview {
namespace {

int ParseKeyTime(const std::string& assignment, const std::string& text) {
    const std::optional<long long> ticks = ParseWholeNumber(text);
    // The host's extreme tick values stand for "forever" and are not times a key can sit at.
    if (!ticks || *ticks <= INT_MIN || *ticks >= INT_MAX) {
        throw UsageError("--set " + assignment + ": the key time '" + text +
                         "' is not a whole number of ticks (4800 per second)");
    }
    return static_cast<int>(*ticks);
}

} // namespace

ParameterAssignment ParameterAssignment::Parse(const std::string& text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == text.size()) {
        throw UsageError("--set '" + text + "': expected NAME=VALUE or NAME@TICKS=VALUE");
    }
    ParameterAssignment assignment;
    const std::string target = text.substr(0, equals);
    assignment.value = text.substr(equals + 1);
    const std::size_t at = target.find('@');
    assignment.name = target.substr(0, at);
    if (assignment.name.empty()) {
        throw UsageError("--set '" + text + "': expected NAME=VALUE or NAME@TICKS=VALUE");
    }
    if (at != std::string::npos) {
        assignment.keyTime = ParseKeyTime(text, target.substr(at + 1));
    }
    return assignment;
}

} // namespace preview
