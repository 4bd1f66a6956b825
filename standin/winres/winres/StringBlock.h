// RT_STRING resources: string id `id` lives in block (id >> 4) + 1 at index id & 15. A block holds
// 16 strings, each a 16-bit length followed by that many UTF-16 units, without terminators.
#pragma once

#include "ByteReader.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace winres {

constexpr std::size_t kStringsPerBlock = 16;

using StringBlock = std::array<std::u16string, kStringsPerBlock>;

inline std::uint16_t StringBlockName(unsigned int stringId) {
    return static_cast<std::uint16_t>((stringId >> 4) + 1);
}

inline std::size_t StringBlockIndex(unsigned int stringId) {
    return stringId & 15u;
}

// Decodes all 16 strings of a block; bytes after the 16th string (padding) are ignored.
inline bool DecodeStringBlock(const unsigned char* data, std::size_t size, StringBlock& block,
                              std::string& error) {
    StringBlock result;
    ByteReader reader(data, size);
    for (std::size_t index = 0; index < kStringsPerBlock; ++index) {
        std::uint16_t length = 0;
        if (!reader.ReadU16(length) || reader.Remaining() / 2 < length) {
            error = "string block is truncated at string " + std::to_string(index);
            return false;
        }
        std::u16string& text = result[index];
        text.reserve(length);
        for (std::uint16_t unit = 0; unit < length; ++unit) {
            std::uint16_t value = 0;
            reader.ReadU16(value);
            text.push_back(static_cast<char16_t>(value));
        }
    }
    block.swap(result);
    return true;
}

} // namespace winres
