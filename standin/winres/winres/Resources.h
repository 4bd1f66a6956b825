// Reading compiled Win32 resources (.res files, string blocks, dialog templates) and the text
// conversions they need. Header-only and free of <windows.h>, so that Linux hosts, tests and
// Windows test programs share one parser. Every read is bounds-checked: a truncated or corrupt
// resource never makes a parser read outside its input.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace winres {

// Text conversions for resources, scene files and messages: resources and scene files hold
// UTF-16; wchar_t is UTF-16 on Windows and UTF-32 on Linux.

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

// Wide text as UTF-16 code units; characters that are not valid code points become U+FFFD.
inline std::u16string ToUtf16(const std::wstring& text) {
    std::u16string units;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        if (sizeof(wchar_t) == sizeof(char16_t) ||
            (c < 0x10000 && !IsHighSurrogate(char16_t(c)) && !IsLowSurrogate(char16_t(c)))) {
            units.push_back(static_cast<char16_t>(c));
        } else if (c <= 0x10FFFF && c >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            units.push_back(u'\uFFFD');
        }
    }
    return units;
}

// Wide text as UTF-8, for messages; invalid characters become U+FFFD.
inline std::string ToUtf8(const std::wstring& text) {
    std::string out;
    for (wchar_t w : ToWide(ToUtf16(text))) {
        const char32_t c = static_cast<char32_t>(w);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

// Bounds-checked little-endian reader over a byte range. Every read either succeeds completely or
// fails and leaves the position unchanged, so a truncated or corrupt resource never makes a parser
// read outside its input.

class ByteReader {
public:
    ByteReader(const unsigned char* data, std::size_t size) : data_(data), size_(data ? size : 0) {}

    std::size_t Offset() const { return offset_; }
    std::size_t Remaining() const { return size_ - offset_; }

    // A little-endian integer of T's size, signed or not.
    template <typename T> bool Read(T& value) {
        static_assert(std::is_integral_v<T> && sizeof(T) <= sizeof(std::uint32_t),
                      "resource fields are integers of at most 32 bits");
        if (Remaining() < sizeof(T)) {
            return false;
        }
        std::uint32_t raw = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            raw |= static_cast<std::uint32_t>(data_[offset_ + i]) << (8 * i);
        }
        value = static_cast<T>(raw);
        offset_ += sizeof(T);
        return true;
    }

    // Hands out a view of the next `count` bytes and moves past them.
    bool ReadBytes(std::size_t count, const unsigned char*& bytes) {
        bytes = data_ + offset_;
        return Skip(count);
    }

    bool Skip(std::size_t count) {
        if (Remaining() < count) {
            return false;
        }
        offset_ += count;
        return true;
    }

    // Moves to the next multiple of `alignment`, counted from the start of the range.
    bool AlignTo(std::size_t alignment) {
        const std::size_t misalignment = offset_ % alignment;
        return misalignment == 0 || Skip(alignment - misalignment);
    }

    // A NUL-terminated UTF-16 string; fails, reading nothing, when the terminator is missing.
    bool ReadZeroTerminated(std::u16string& text) {
        std::u16string result;
        for (std::size_t at = offset_; at + 1 < size_; at += 2) {
            const auto unit = static_cast<char16_t>(data_[at] | (data_[at + 1] << 8));
            if (unit == 0) {
                offset_ = at + 2;
                text.swap(result);
                return true;
            }
            result.push_back(unit);
        }
        return false;
    }

private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

// The name or type of a resource, and the sz_Or_Ord fields of dialog templates: either a 16-bit
// ordinal (stored as 0xFFFF followed by the ordinal) or a UTF-16 string.

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

// Reads an ordinal-or-string field: 0xFFFF and a 16-bit ordinal, or a NUL-terminated string.
inline bool ReadResName(ByteReader& reader, ResName& name) {
    ByteReader cursor = reader;
    std::uint16_t first = 0, ordinal = 0;
    if (cursor.Read(first) && first == 0xFFFF) {
        if (!cursor.Read(ordinal)) {
            return false;
        }
        name = ResName::Ordinal(ordinal);
        reader = cursor;
        return true;
    }
    std::u16string text;
    if (!reader.ReadZeroTerminated(text)) {
        return false;
    }
    name = ResName::Text(std::move(text));
    return true;
}

// RT_STRING resources: string id `id` lives in block (id >> 4) + 1 at index id & 15. A block holds
// 16 strings, each a 16-bit length followed by that many UTF-16 units, without terminators.

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
        if (!reader.Read(length) || reader.Remaining() / 2 < length) {
            error = "string block is truncated at string " + std::to_string(index);
            return false;
        }
        std::u16string& text = result[index];
        text.reserve(length);
        for (std::uint16_t unit = 0; unit < length; ++unit) {
            std::uint16_t value = 0;
            reader.Read(value);
            text.push_back(static_cast<char16_t>(value));
        }
    }
    block.swap(result);
    return true;
}

// The 32-bit Win32 .res format, as written by rc.exe, llvm-rc and windres -O res: a sequence of
// DWORD-aligned entries, each a header (sizes, type, name, language, versions) followed by data.

// Resource types of winuser.h, by ordinal.
constexpr std::uint16_t kTypeDialog = 5;
constexpr std::uint16_t kTypeString = 6;

constexpr std::uint16_t kLangNeutral = 0x0000;
constexpr std::uint16_t kLangEnglishUS = 0x0409;

struct ResEntry {
    ResName type;
    ResName name;
    std::uint16_t languageId = 0;
    // Views into the parsed bytes: valid as long as they are.
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

namespace detail {

// The fixed part of an entry header: DataSize, HeaderSize, the shortest TYPE and NAME (two
// ordinals) and the 16 bytes of DataVersion .. Characteristics.
constexpr std::uint32_t kMinimumHeaderSize = 32;

inline bool Fail(std::string& error, const std::string& reason, std::size_t offset) {
    error = reason + " at offset " + std::to_string(offset);
    return false;
}

inline bool ReadEntryHeader(ByteReader header, ResEntry& entry, std::string& error,
                            std::size_t entryOffset) {
    if (!ReadResName(header, entry.type)) {
        return Fail(error, "resource type runs past its header", entryOffset);
    }
    if (!ReadResName(header, entry.name)) {
        return Fail(error, "resource name runs past its header", entryOffset);
    }
    // DataVersion and MemoryFlags before the language, Version and Characteristics after it.
    if (!header.AlignTo(4) || !header.Skip(6) || !header.Read(entry.languageId) ||
        !header.Skip(8)) {
        return Fail(error, "resource header is truncated", entryOffset);
    }
    return true;
}

// Reads one entry and leaves `reader` at the next DWORD boundary after its data.
inline bool ReadEntry(ByteReader& reader, ResEntry& entry, std::string& error) {
    const std::size_t entryOffset = reader.Offset();
    std::uint32_t dataSize = 0;
    std::uint32_t headerSize = 0;
    if (!reader.Read(dataSize) || !reader.Read(headerSize)) {
        return Fail(error, "resource entry is truncated", entryOffset);
    }
    if (headerSize < kMinimumHeaderSize || headerSize % 4 != 0) {
        return Fail(error, "resource header size " + std::to_string(headerSize) + " is invalid",
                    entryOffset);
    }
    const unsigned char* headerBytes = nullptr;
    if (!reader.ReadBytes(headerSize - 8, headerBytes)) {
        return Fail(error, "resource header runs past the end of the file", entryOffset);
    }
    if (!ReadEntryHeader(ByteReader(headerBytes, headerSize - 8), entry, error, entryOffset)) {
        return false;
    }
    if (!reader.ReadBytes(dataSize, entry.data)) {
        return Fail(error, "resource data runs past the end of the file", entryOffset);
    }
    entry.size = dataSize;
    // The padding after the last entry may be left out.
    if (!reader.AlignTo(4)) {
        reader.Skip(reader.Remaining());
    }
    return true;
}

} // namespace detail

// Parses a whole .res file. A 32-bit .res begins with an empty entry (type 0, name 0) that tells it
// apart from the 16-bit format; it is checked and left out of `entries`.
inline bool ParseResFile(const unsigned char* data, std::size_t size,
                         std::vector<ResEntry>& entries, std::string& error) {
    std::vector<ResEntry> result;
    ByteReader reader(data, size);
    ResEntry lead;
    if (!detail::ReadEntry(reader, lead, error)) {
        return false;
    }
    if (lead.size != 0 || lead.type != ResName::Ordinal(0) || lead.name != ResName::Ordinal(0)) {
        error = "not a 32-bit resource file: the leading empty entry is missing";
        return false;
    }
    while (reader.Remaining() != 0) {
        ResEntry entry;
        if (!detail::ReadEntry(reader, entry, error)) {
            return false;
        }
        result.push_back(entry);
    }
    entries.swap(result);
    return true;
}

// Finds a resource by type and name. The language is chosen as a Windows host running in English
// (United States) would: the requested one, then language-neutral, then English (United States),
// then whichever comes first.
inline const ResEntry* FindResEntry(const std::vector<ResEntry>& entries, const ResName& type,
                                    const ResName& name,
                                    std::uint16_t languageId = kLangEnglishUS) {
    const std::uint16_t preferences[] = {languageId, kLangNeutral, kLangEnglishUS};
    for (std::uint16_t language : preferences) {
        for (const ResEntry& entry : entries) {
            if (entry.type == type && entry.name == name && entry.languageId == language) {
                return &entry;
            }
        }
    }
    for (const ResEntry& entry : entries) {
        if (entry.type == type && entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

// RT_DIALOG resources in the extended layout, DLGTEMPLATEEX, which rc writes for DIALOGEX (the
// classic DLGTEMPLATE is refused). Each item starts on a DWORD boundary counted from the start
// of the template.

constexpr std::uint32_t kDialogStyleSetFont = 0x40; // DS_SETFONT; DS_SHELLFONT includes it

struct DialogItem {
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t id = 0;
    ResName windowClass;
    ResName title;
};

struct DialogTemplate {
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    ResName menu;
    ResName windowClass;
    std::u16string title;
    bool hasFont = false;
    std::uint16_t pointSize = 0;
    std::u16string typeface;
    std::vector<DialogItem> items;
};

// The class of an item as a name. rc stores the predefined window classes as atoms 0x80 to
// 0x85; any other atom has no name here.
inline std::u16string ClassNameOf(const DialogItem& item) {
    static const char16_t* const predefined[] = {u"Button",  u"Edit",      u"Static",
                                                 u"ListBox", u"ScrollBar", u"ComboBox"};
    const ResName& name = item.windowClass;
    if (!name.isOrdinal) {
        return name.text;
    }
    return name.ordinal >= 0x80 && name.ordinal < 0x86 ? predefined[name.ordinal - 0x80] : u"";
}

namespace detail {

inline bool DialogFail(std::string& error, const std::string& what, std::size_t offset) {
    error = "dialog template is truncated in " + what + " at offset " + std::to_string(offset);
    return false;
}

inline bool ReadRect(ByteReader& reader, std::int16_t& x, std::int16_t& y, std::int16_t& cx,
                     std::int16_t& cy) {
    return reader.Read(x) && reader.Read(y) && reader.Read(cx) && reader.Read(cy);
}

// After the version and signature: help id, extended style, style, item count, position, menu,
// class and title, then the font (point size, weight, italic, charset, typeface) if DS_SETFONT.
inline bool ReadDialogHeader(ByteReader& reader, DialogTemplate& dialog, std::uint16_t& count) {
    if (!reader.Skip(4) || !reader.Read(dialog.exStyle) || !reader.Read(dialog.style) ||
        !reader.Read(count) || !ReadRect(reader, dialog.x, dialog.y, dialog.cx, dialog.cy) ||
        !ReadResName(reader, dialog.menu) || !ReadResName(reader, dialog.windowClass) ||
        !reader.ReadZeroTerminated(dialog.title)) {
        return false;
    }
    dialog.hasFont = (dialog.style & kDialogStyleSetFont) != 0;
    return !dialog.hasFont || (reader.Read(dialog.pointSize) && reader.Skip(4) &&
                               reader.ReadZeroTerminated(dialog.typeface));
}

// Help id, extended style, style, position, id, class, title, and creation data (a 16-bit byte
// count followed by that many bytes, which nothing here reads).
inline bool ReadDialogItem(ByteReader& reader, DialogItem& item) {
    std::uint16_t extraSize = 0;
    return reader.AlignTo(4) && reader.Skip(4) && reader.Read(item.exStyle) &&
           reader.Read(item.style) && ReadRect(reader, item.x, item.y, item.cx, item.cy) &&
           reader.Read(item.id) && ReadResName(reader, item.windowClass) &&
           ReadResName(reader, item.title) && reader.Read(extraSize) && reader.Skip(extraSize);
}

} // namespace detail

inline bool ParseDialogTemplate(const unsigned char* data, std::size_t size, DialogTemplate& dialog,
                                std::string& error) {
    DialogTemplate result;
    ByteReader reader(data, size);
    std::uint16_t version = 0, signature = 0, count = 0;
    if (!reader.Read(version) || !reader.Read(signature) || version != 1 || signature != 0xFFFF) {
        error = "not an extended (DIALOGEX) dialog template";
        return false;
    }
    if (!detail::ReadDialogHeader(reader, result, count)) {
        return detail::DialogFail(error, "the header", reader.Offset());
    }
    for (std::uint16_t index = 0; index < count; ++index) {
        DialogItem item;
        if (!detail::ReadDialogItem(reader, item)) {
            return detail::DialogFail(error, "item " + std::to_string(index), reader.Offset());
        }
        result.items.push_back(std::move(item));
    }
    dialog = std::move(result);
    return true;
}

} // namespace winres
