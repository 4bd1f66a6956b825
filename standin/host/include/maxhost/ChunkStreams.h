// In-memory chunk streams, the host's implementations of ISave and ILoad.
//
// Layout: each chunk is a 16-bit id, a 32-bit payload length (little endian) and the payload,
// which holds data or further chunks. Strings are UTF-16LE with a terminator, as on Windows.
// Every length read is checked against the enclosing chunk, so a damaged stream yields IO_ERROR
// and never an allocation sized by a field of the stream.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "HostExport.h"
#include "ioapi.h"

namespace maxhost {

class MAXHOST_API ChunkWriter : public ISave {
public:
    ChunkWriter();
    ~ChunkWriter() override;

    void BeginChunk(USHORT id) override;
    void EndChunk() override;
    int CurChunkDepth() override;
    int GetRefID(void* ptarg) override;
    IOResult WriteWString(const char* str) override;
    IOResult WriteWString(const wchar_t* str) override;
    IOResult WriteCString(const char* str) override;
    IOResult WriteCString(const wchar_t* str) override;

    const std::vector<unsigned char>& Bytes() const;
    // False after an EndChunk without a chunk or a chunk too long for its 32-bit length.
    bool Healthy() const;

private:
    IOResult Write(const void* buf, ULONG nbytes, ULONG* nwrit) override;
    struct State;
    std::unique_ptr<State> state;
};

class MAXHOST_API ChunkReader : public ILoad {
public:
    ChunkReader(const unsigned char* data, std::size_t size);
    explicit ChunkReader(const std::vector<unsigned char>& bytes);
    ~ChunkReader() override;

    IOResult OpenChunk() override;
    USHORT CurChunkID() override;
    ULONGLONG CurChunkLength() override;
    int CurChunkDepth() override;
    IOResult CloseChunk() override;
    USHORT PeekNextChunkID() override;
    IOResult ReadWStringChunk(char** buf) override;
    IOResult ReadWStringChunk(wchar_t** buf) override;
    IOResult ReadCStringChunk(char** buf) override;
    IOResult ReadCStringChunk(wchar_t** buf) override;
    void RegisterPostLoadCallback(PostLoadCallback* cb) override;

    // Runs and forgets the registered post-load callbacks (the host does this once the whole
    // scene is loaded).
    void RunPostLoadCallbacks();
    // Bytes left in the current chunk (or the stream at the outer level).
    std::size_t Remaining() const;

private:
    IOResult Read(void* buf, ULONG nbytes, ULONG* nread) override;
    struct State;
    std::unique_ptr<State> state;
};

} // namespace maxhost
