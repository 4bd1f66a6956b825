// Scene files as nacreen-preview --load reads them: chunk nesting, lengths and ids, the object
// table and its references, then each object's own Load (the Nacreen map, its parameter block
// with keys, its output and the host's thickness maps), the checks of its values, then one small
// frame of the loaded map.
// The checksum is set right before loading, so that damage reaches the chunk reader instead of
// stopping at the checksum.
#include "LoadedNacreen.h"
#include "Parameters.h"
#include "Render.h"
#include "Session.h"
#include "imaging/Tool.h"

#include <imtl.h>
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The header chunk: id and length (6 bytes), magic, version, then the CRC-32 of what follows.
constexpr std::size_t kChecksumOffset = 14;
constexpr std::size_t kHeaderSize = kChecksumOffset + 4;

void FixChecksum(std::vector<unsigned char>& bytes) {
    if (bytes.size() < kHeaderSize) {
        return;
    }
    const std::uint32_t crc = static_cast<std::uint32_t>(
        crc32(0L, bytes.data() + kHeaderSize, static_cast<uInt>(bytes.size() - kHeaderSize)));
    std::memcpy(bytes.data() + kChecksumOffset, &crc, sizeof crc);
}

void UseLoadedMap(Texmap& map) {
    preview::MapParameters parameters(map);
    parameters.Summary(0);
    preview::FrameSettings settings;
    settings.width = 16;
    settings.height = 16;
    preview::RenderFrame(map, 0, settings, nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::LoadedNacreen();
    std::vector<unsigned char> bytes(data, data + size);
    FixChecksum(bytes);
    try {
        UseLoadedMap(*preview::LoadMapSceneBytes(bytes, "fuzz.ncs"));
    } catch (const imaging::ToolError&) {
        // Refused with a message: what the reader should do with a bad scene.
    }
    return 0;
}
