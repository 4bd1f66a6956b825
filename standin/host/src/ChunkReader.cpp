// ChunkReader: walks nested chunks, every length checked against the enclosing chunk.
#include "maxhost/ChunkStreams.h"

#include <algorithm>
#include <cstring>
#include <deque>

#include "HostAccess.h"

namespace maxhost {

namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kMaxDepth = 256;

} // namespace

struct ChunkReader::State {
    struct Open {
        USHORT id;
        std::size_t start;
        std::size_t end;
    };

    std::vector<unsigned char> bytes;
    std::size_t pos = 0;
    std::vector<Open> open;
    bool broken = false;
    // Strings handed out stay valid as long as the reader.
    std::deque<std::wstring> wideStrings;
    std::deque<std::string> narrowStrings;
    std::vector<PostLoadCallback*> callbacks;

    std::size_t Limit() const { return open.empty() ? bytes.size() : open.back().end; }
    std::size_t Left() const { return Limit() - pos; }
    // The unread rest of the current chunk, as raw bytes; moves to the chunk's end.
    bool TakeRest(const unsigned char*& data, std::size_t& size) {
        if (open.empty() || broken) {
            return false;
        }
        data = bytes.data() + pos;
        size = Left();
        pos = Limit();
        return true;
    }
};

ChunkReader::ChunkReader(const unsigned char* data, std::size_t size) : state(new State) {
    if (data && size) {
        state->bytes.assign(data, data + size);
    }
}

ChunkReader::ChunkReader(const std::vector<unsigned char>& bytes) : state(new State) {
    state->bytes = bytes;
}

ChunkReader::~ChunkReader() = default;

IOResult ChunkReader::OpenChunk() {
    if (state->broken) {
        return IO_ERROR;
    }
    const std::size_t left = state->Left();
    if (left == 0) {
        return IO_END;
    }
    if (left < kHeaderSize || state->open.size() >= kMaxDepth) {
        state->broken = true;
        return IO_ERROR;
    }
    const unsigned char* h = state->bytes.data() + state->pos;
    const USHORT id = static_cast<USHORT>(h[0] | (h[1] << 8));
    const std::size_t length =
        static_cast<std::size_t>(h[2]) | (static_cast<std::size_t>(h[3]) << 8) |
        (static_cast<std::size_t>(h[4]) << 16) | (static_cast<std::size_t>(h[5]) << 24);
    if (length > left - kHeaderSize) {
        state->broken = true;
        return IO_ERROR;
    }
    const std::size_t start = state->pos + kHeaderSize;
    state->open.push_back(State::Open{id, start, start + length});
    state->pos = start;
    return IO_OK;
}

USHORT ChunkReader::CurChunkID() {
    return state->open.empty() ? 0 : state->open.back().id;
}

ULONGLONG ChunkReader::CurChunkLength() {
    return state->open.empty() ? 0 : state->open.back().end - state->open.back().start;
}

int ChunkReader::CurChunkDepth() {
    return static_cast<int>(state->open.size());
}

IOResult ChunkReader::CloseChunk() {
    if (state->open.empty()) {
        return IO_ERROR;
    }
    state->pos = state->open.back().end;
    state->open.pop_back();
    return state->broken ? IO_ERROR : IO_OK;
}

USHORT ChunkReader::PeekNextChunkID() {
    if (state->broken || state->Left() < kHeaderSize) {
        return 0;
    }
    const unsigned char* h = state->bytes.data() + state->pos;
    return static_cast<USHORT>(h[0] | (h[1] << 8));
}

IOResult ChunkReader::Read(void* buf, ULONG nbytes, ULONG* nread) {
    if (nread) {
        *nread = 0;
    }
    if (state->broken || (nbytes != 0 && !buf)) {
        return IO_ERROR;
    }
    const std::size_t n = nbytes < state->Left() ? nbytes : state->Left();
    if (n) {
        std::memcpy(buf, state->bytes.data() + state->pos, n);
    }
    state->pos += n;
    if (nread) {
        *nread = static_cast<ULONG>(n);
    }
    return n == nbytes ? IO_OK : IO_ERROR;
}

IOResult ChunkReader::ReadWStringChunk(wchar_t** buf) {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    if (!buf || !state->TakeRest(data, size)) {
        return IO_ERROR;
    }
    std::size_t units = 0;
    while (units < size / 2 && (data[2 * units] | data[2 * units + 1]) != 0) {
        ++units;
    }
    state->wideStrings.push_back(MaxStandin::DecodeUtf16(data, units));
    *buf = &state->wideStrings.back()[0];
    return IO_OK;
}

IOResult ChunkReader::ReadWStringChunk(char** buf) {
    wchar_t* wide = nullptr;
    if (!buf || ReadWStringChunk(&wide) != IO_OK) {
        return IO_ERROR;
    }
    state->narrowStrings.push_back(MaxStandin::EncodeUtf8(wide));
    *buf = &state->narrowStrings.back()[0];
    return IO_OK;
}

IOResult ChunkReader::ReadCStringChunk(char** buf) {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    if (!buf || !state->TakeRest(data, size)) {
        return IO_ERROR;
    }
    std::size_t n = 0;
    while (n < size && data[n] != 0) {
        ++n;
    }
    state->narrowStrings.emplace_back(reinterpret_cast<const char*>(data), n);
    *buf = &state->narrowStrings.back()[0];
    return IO_OK;
}

IOResult ChunkReader::ReadCStringChunk(wchar_t** buf) {
    char* narrow = nullptr;
    if (!buf || ReadCStringChunk(&narrow) != IO_OK) {
        return IO_ERROR;
    }
    state->wideStrings.push_back(MaxStandin::DecodeUtf8(narrow));
    *buf = &state->wideStrings.back()[0];
    return IO_OK;
}

void ChunkReader::RegisterPostLoadCallback(PostLoadCallback* cb) {
    if (cb) {
        state->callbacks.push_back(cb);
    }
}

void ChunkReader::RunPostLoadCallbacks() {
    std::vector<PostLoadCallback*> callbacks;
    callbacks.swap(state->callbacks);
    std::stable_sort(
        callbacks.begin(), callbacks.end(),
        [](PostLoadCallback* a, PostLoadCallback* b) { return a->Priority() < b->Priority(); });
    for (PostLoadCallback* cb : callbacks) {
        cb->proc(this);
    }
}

std::size_t ChunkReader::Remaining() const {
    return state->Left();
}

} // namespace maxhost
