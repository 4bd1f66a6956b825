#pragma once

#include <optional>
#include <string>

namespace preview {

// Strict conversions of command-line text: the whole text must be the number, with no spaces,
// and a float must be finite. No value when the text is anything else.
std::optional<long long> ParseWholeNumber(const std::string& text);
std::optional<float> ParseFloat(const std::string& text);

} // namespace preview
