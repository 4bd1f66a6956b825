// Scene files: saving and loading a reference graph the way the host saves a scene, in memory
// chunk streams that are the host's ISave and ILoad.
//
// Chunk layout: each chunk is a 16-bit id, a 32-bit payload length (little endian) and the
// payload, which holds data or further chunks. Strings are UTF-16LE with a terminator, as on
// Windows. Every length read is checked against the enclosing chunk, so a damaged stream yields
// IO_ERROR and never an allocation sized by a field of the stream.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "HostExport.h"
#include "ref.h"

namespace maxhost {

class MAXHOST_API ChunkWriter : public ISave {
public:
    void BeginChunk(USHORT id) override;
    void EndChunk() override;
    int CurChunkDepth() override { return static_cast<int>(open_.size()); }
    IOResult WriteWString(const wchar_t* str) override;
    IOResult Write(const void* buf, ULONG nbytes, ULONG* nwrit) override;

    const std::vector<unsigned char>& Bytes() const { return bytes_; }
    // False after an EndChunk without a chunk or a chunk too long for its 32-bit length.
    bool Healthy() const { return healthy_; }

private:
    std::vector<unsigned char> bytes_;
    std::vector<std::size_t> open_; // offsets of the length fields of open chunks
    bool healthy_ = true;
};

class MAXHOST_API ChunkReader : public ILoad {
public:
    explicit ChunkReader(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

    IOResult OpenChunk() override;
    USHORT CurChunkID() override { return open_.empty() ? 0 : open_.back().id; }
    int CurChunkDepth() override { return static_cast<int>(open_.size()); }
    IOResult CloseChunk() override;
    IOResult ReadWStringChunk(wchar_t** buf) override;
    IOResult Read(void* buf, ULONG nbytes, ULONG* nread) override;

    // Bytes left in the current chunk (or the stream at the outer level).
    std::size_t Remaining() const {
        return (open_.empty() ? bytes_.size() : open_.back().end) - pos_;
    }
    // Why the object being loaded refused its data: an object's Load may set it before it
    // returns IO_ERROR, and the scene's error message is then this reason.
    std::string failure;

private:
    struct Open {
        USHORT id;
        std::size_t end;
    };
    std::vector<unsigned char> bytes_;
    std::size_t pos_ = 0;
    std::vector<Open> open_;
    bool broken_ = false;
    std::deque<std::wstring> strings_; // handed out by ReadWStringChunk, valid as long as this
};

// Every object once, with its class identity, the chunks its own Save writes and which object
// each reference slot holds. False, with `error` saying why, when an object fails to save.
MAXHOST_API bool SaveSceneToBytes(ReferenceTarget* root, std::vector<unsigned char>& bytes,
                                  std::string& error);
// Creates each object through its class descriptor's Create(TRUE), calls its Load and then
// restores its references. A truncated, corrupt or hostile file gives null and a message, never a
// crash. The loaded root is referenced by nothing; end it with MaybeAutoDelete or DeleteMe.
MAXHOST_API ReferenceTarget* LoadSceneFromBytes(const std::vector<unsigned char>& bytes,
                                                std::string& error);

} // namespace maxhost
