#pragma once

#include <string>

namespace preview {

// Host strings are wide; the tool's messages are UTF-8.
std::string ToUtf8(const wchar_t* text);
std::wstring ToWide(const std::string& utf8);

} // namespace preview
