#pragma once

#include <optional>
#include <string>

namespace preview {

// One --set: "name=value" sets the value, "name@ticks=value" sets an animation key at that
// time (4800 ticks per second).
struct ParameterAssignment {
    std::string name;
    std::optional<int> keyTime;
    std::string value;

    // Throws UsageError for text of another form.
    static ParameterAssignment Parse(const std::string& text);
};

} // namespace preview
