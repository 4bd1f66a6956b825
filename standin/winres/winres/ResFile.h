// The 32-bit Win32 .res format, as written by rc.exe, llvm-rc and windres -O res: a sequence of
// DWORD-aligned entries, each a header (sizes, type, name, language, versions) followed by data.
#pragma once

#include "ByteReader.h"
#include "ResName.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace winres {

// Resource types of winuser.h, by ordinal.
constexpr std::uint16_t kTypeDialog = 5;
constexpr std::uint16_t kTypeString = 6;

constexpr std::uint16_t kLangNeutral = 0x0000;
constexpr std::uint16_t kLangEnglishUS = 0x0409;

struct ResEntry {
    ResName type;
    ResName name;
    std::uint32_t dataVersion = 0;
    std::uint16_t memoryFlags = 0;
    std::uint16_t languageId = 0;
    std::uint32_t version = 0;
    std::uint32_t characteristics = 0;
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
    if (!header.AlignTo(4) || !header.ReadU32(entry.dataVersion) ||
        !header.ReadU16(entry.memoryFlags) || !header.ReadU16(entry.languageId) ||
        !header.ReadU32(entry.version) || !header.ReadU32(entry.characteristics)) {
        return Fail(error, "resource header is truncated", entryOffset);
    }
    return true;
}

// Reads one entry and leaves `reader` at the next DWORD boundary after its data.
inline bool ReadEntry(ByteReader& reader, ResEntry& entry, std::string& error) {
    const std::size_t entryOffset = reader.Offset();
    std::uint32_t dataSize = 0;
    std::uint32_t headerSize = 0;
    if (!reader.ReadU32(dataSize) || !reader.ReadU32(headerSize)) {
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

inline bool IsEmptyLeadEntry(const ResEntry& entry) {
    return entry.size == 0 && entry.type == ResName::Ordinal(0) &&
           entry.name == ResName::Ordinal(0);
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
    if (!detail::IsEmptyLeadEntry(lead)) {
        error = "not a 32-bit resource file: the leading empty entry is missing";
        return false;
    }
    while (!reader.AtEnd()) {
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

} // namespace winres
