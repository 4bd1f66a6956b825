// ChunkWriter: nested chunks into a byte buffer, lengths patched when a chunk ends.
#include "maxhost/ChunkStreams.h"

#include <cstdint>
#include <cstring>

#include "HostAccess.h"

namespace maxhost {

struct ChunkWriter::State {
    std::vector<unsigned char> bytes;
    std::vector<std::size_t> open; // offsets of the length fields of open chunks
    bool healthy = true;
};

ChunkWriter::ChunkWriter() : state(new State) {}
ChunkWriter::~ChunkWriter() = default;

void ChunkWriter::BeginChunk(USHORT id) {
    state->bytes.push_back(static_cast<unsigned char>(id & 0xff));
    state->bytes.push_back(static_cast<unsigned char>(id >> 8));
    state->open.push_back(state->bytes.size());
    state->bytes.insert(state->bytes.end(), 4, 0);
}

void ChunkWriter::EndChunk() {
    if (state->open.empty()) {
        state->healthy = false;
        return;
    }
    const std::size_t at = state->open.back();
    state->open.pop_back();
    const std::size_t length = state->bytes.size() - at - 4;
    if (length > 0x7fffffff) {
        state->healthy = false;
        return;
    }
    for (int i = 0; i < 4; ++i) {
        state->bytes[at + static_cast<std::size_t>(i)] =
            static_cast<unsigned char>((length >> (8 * i)) & 0xff);
    }
}

int ChunkWriter::CurChunkDepth() {
    return static_cast<int>(state->open.size());
}

// Objects in this host's files refer to each other by reference slot, never by id.
int ChunkWriter::GetRefID(void*) {
    return -1;
}

IOResult ChunkWriter::Write(const void* buf, ULONG nbytes, ULONG* nwrit) {
    if (nwrit) {
        *nwrit = 0;
    }
    if (nbytes != 0 && !buf) {
        return IO_ERROR;
    }
    const unsigned char* bytes = static_cast<const unsigned char*>(buf);
    state->bytes.insert(state->bytes.end(), bytes, bytes + nbytes);
    if (nwrit) {
        *nwrit = nbytes;
    }
    return IO_OK;
}

IOResult ChunkWriter::WriteWString(const wchar_t* str) {
    MaxStandin::AppendUtf16(state->bytes, str ? std::wstring(str) : std::wstring());
    state->bytes.push_back(0);
    state->bytes.push_back(0);
    return IO_OK;
}

IOResult ChunkWriter::WriteWString(const char* str) {
    return WriteWString(MaxStandin::DecodeUtf8(str ? str : "").c_str());
}

IOResult ChunkWriter::WriteCString(const char* str) {
    const std::size_t n = str ? std::strlen(str) : 0;
    state->bytes.insert(state->bytes.end(), str, str + n);
    state->bytes.push_back(0);
    return IO_OK;
}

IOResult ChunkWriter::WriteCString(const wchar_t* str) {
    return WriteCString(MaxStandin::EncodeUtf8(str ? str : L"").c_str());
}

const std::vector<unsigned char>& ChunkWriter::Bytes() const {
    return state->bytes;
}

bool ChunkWriter::Healthy() const {
    return state->healthy;
}

} // namespace maxhost
