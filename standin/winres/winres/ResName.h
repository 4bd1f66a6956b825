// The name or type of a resource, and the sz_Or_Ord fields of dialog templates: either a 16-bit
// ordinal (stored as 0xFFFF followed by the ordinal) or a UTF-16 string.
#pragma once

#include "ByteReader.h"

#include <cstdint>
#include <string>
#include <utility>

namespace winres {

struct ResName {
    bool isOrdinal = true;
    std::uint16_t ordinal = 0;
    std::u16string text;

    static ResName Ordinal(std::uint16_t value) {
        ResName name;
        name.ordinal = value;
        return name;
    }

    static ResName Text(std::u16string value) {
        ResName name;
        name.isOrdinal = false;
        name.text = std::move(value);
        return name;
    }

    // An empty string field of a dialog template (a single NUL) means "none".
    bool IsEmpty() const { return !isOrdinal && text.empty(); }
};

inline char16_t AsciiUpper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// Windows compares string names of resources and window classes without regard to case.
inline bool SameTextIgnoringCase(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) {
            return false;
        }
    }
    return true;
}

inline bool operator==(const ResName& a, const ResName& b) {
    if (a.isOrdinal != b.isOrdinal) {
        return false;
    }
    return a.isOrdinal ? a.ordinal == b.ordinal : SameTextIgnoringCase(a.text, b.text);
}

inline bool operator!=(const ResName& a, const ResName& b) {
    return !(a == b);
}

// Reads an ordinal-or-string field. A leading 0xFFFF introduces an ordinal; anything else starts a
// NUL-terminated string.
inline bool ReadResName(ByteReader& reader, ResName& name) {
    ByteReader cursor = reader;
    std::uint16_t first = 0;
    if (!cursor.ReadU16(first)) {
        return false;
    }
    if (first == 0xFFFF) {
        std::uint16_t ordinal = 0;
        if (!cursor.ReadU16(ordinal)) {
            return false;
        }
        name = ResName::Ordinal(ordinal);
    } else {
        std::u16string text;
        if (first != 0) {
            std::u16string tail;
            if (!cursor.ReadZeroTerminated(tail)) {
                return false;
            }
            text.push_back(static_cast<char16_t>(first));
            text += tail;
        }
        name = ResName::Text(std::move(text));
    }
    reader = cursor;
    return true;
}

} // namespace winres
