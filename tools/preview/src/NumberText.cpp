#include "NumberText.h"

#include <charconv>
#include <cmath>

namespace preview {
namespace {

// from_chars takes no leading '+', which users write for keys such as hue=+30.
std::string WithoutPlus(const std::string& text) {
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') {
        return text.substr(1);
    }
    return text;
}

} // namespace

std::optional<long long> ParseWholeNumber(const std::string& text) {
    const std::string digits = WithoutPlus(text);
    long long value = 0;
    const char* end = digits.data() + digits.size();
    const auto result = std::from_chars(digits.data(), end, value);
    if (digits.empty() || result.ec != std::errc() || result.ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<float> ParseFloat(const std::string& text) {
    const std::string digits = WithoutPlus(text);
    float value = 0.0f;
    const char* end = digits.data() + digits.size();
    const auto result = std::from_chars(digits.data(), end, value);
    if (digits.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace preview
