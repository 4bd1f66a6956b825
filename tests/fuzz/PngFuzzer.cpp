// PNG thickness maps as nacreen-preview --thickness-map reads them. Each chunk's CRC is set right
// before reading, so that mutations reach libpng's chunk handlers instead of stopping at the
// checksum.
#include "imaging/Png.h"
#include "imaging/Tool.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include <zlib.h>

namespace {

constexpr std::size_t kSignatureSize = 8;

std::uint32_t BigEndian(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
           static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

// Walks the chunks (length, type, data, CRC) and writes the CRC each should have.
void FixChunkChecksums(std::vector<unsigned char>& bytes) {
    std::size_t at = kSignatureSize;
    while (bytes.size() >= 12 && at <= bytes.size() - 12) {
        const std::uint32_t length = BigEndian(&bytes[at]);
        if (length > bytes.size() - 12 - at) {
            return;
        }
        const unsigned char* typeAndData = &bytes[at + 4];
        const uLong crc = crc32(0L, typeAndData, static_cast<uInt>(length + 4));
        unsigned char* stored = &bytes[at + 8 + length];
        for (int i = 0; i < 4; ++i) {
            stored[i] = static_cast<unsigned char>(crc >> (24 - 8 * i));
        }
        at += 12 + length;
    }
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0; // fmemopen cannot open an empty buffer; an empty file fails the signature check
    }
    std::vector<unsigned char> bytes(data, data + size);
    FixChunkChecksums(bytes);
    std::unique_ptr<std::FILE, FileCloser> file(fmemopen(bytes.data(), bytes.size(), "rb"));
    if (!file) {
        return 0;
    }
    try {
        imaging::DecodePng(file.get(), bytes.size(), "fuzz.png");
    } catch (const imaging::ToolError&) {
    }
    return 0;
}
