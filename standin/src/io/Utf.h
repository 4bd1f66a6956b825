// Conversions between wide strings and the UTF-16LE / UTF-8 bytes of scene files.
#pragma once

#include <string>
#include <vector>

namespace MaxStandin {

// Appends str as UTF-16LE code units, without a terminator.
void AppendUtf16(std::vector<unsigned char>& out, const std::wstring& str);
// Decodes UTF-16LE bytes; unpaired surrogates become U+FFFD.
std::wstring DecodeUtf16(const unsigned char* data, std::size_t units);
std::string EncodeUtf8(const std::wstring& str);
std::wstring DecodeUtf8(const std::string& bytes);

} // namespace MaxStandin
