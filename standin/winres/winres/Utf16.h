// Resources hold UTF-16; wchar_t is UTF-16 on Windows and UTF-32 on Linux.
#pragma once

#include <string>

namespace winres {

inline bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
inline bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Converts to wchar_t text. On a UTF-32 platform each surrogate pair becomes one character and a
// lone surrogate becomes U+FFFD, so the result is always valid text.
inline std::wstring ToWide(const std::u16string& text) {
    std::wstring wide;
    if (sizeof(wchar_t) == sizeof(char16_t)) {
        wide.assign(text.begin(), text.end());
        return wide;
    }
    wide.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            const char32_t high = unit - 0xD800u;
            const char32_t low = text[i + 1] - 0xDC00u;
            wide.push_back(static_cast<wchar_t>(0x10000u + (high << 10) + low));
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            wide.push_back(static_cast<wchar_t>(0xFFFD));
        } else {
            wide.push_back(static_cast<wchar_t>(unit));
        }
    }
    return wide;
}

} // namespace winres
