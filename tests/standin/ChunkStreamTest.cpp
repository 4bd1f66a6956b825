// Chunk streams: nested chunks round-trip, and damaged streams give IO_ERROR instead of
// reading past their end.
#include <gtest/gtest.h>

#include "maxhost/SceneFiles.h"

namespace {

using maxhost::ChunkReader;
using maxhost::ChunkWriter;

// Plug-ins see the streams only as ISave and ILoad, as the tests do.
std::vector<unsigned char> NestedStream() {
    ChunkWriter writer;
    ISave& w = writer;
    ULONG n = 0;
    w.BeginChunk(0x0100);
    const int number = 1234;
    w.Write(&number, sizeof(number), &n);
    w.EndChunk();
    w.BeginChunk(0x0200);
    w.BeginChunk(0x0201);
    w.WriteWString(L"H\u00e9llo \u65e5\u672c \U0001F600");
    w.EndChunk();
    w.BeginChunk(0x0202);
    const float f = 0.1f;
    w.Write(&f, sizeof(f), &n);
    w.EndChunk();
    w.EndChunk();
    EXPECT_TRUE(writer.Healthy());
    EXPECT_EQ(w.CurChunkDepth(), 0);
    return writer.Bytes();
}

TEST(ChunkStreams, NestedChunksRoundTrip) {
    ChunkReader reader(NestedStream());
    ILoad& r = reader;
    ULONG n = 0;
    ASSERT_EQ(r.OpenChunk(), IO_OK);
    EXPECT_EQ(r.CurChunkID(), 0x0100);
    int number = 0;
    EXPECT_EQ(r.Read(&number, sizeof(number), &n), IO_OK);
    EXPECT_EQ(number, 1234);
    EXPECT_EQ(r.CloseChunk(), IO_OK);

    ASSERT_EQ(r.OpenChunk(), IO_OK);
    EXPECT_EQ(r.CurChunkID(), 0x0200);
    ASSERT_EQ(r.OpenChunk(), IO_OK);
    EXPECT_EQ(r.CurChunkDepth(), 2);
    wchar_t* text = nullptr;
    ASSERT_EQ(r.ReadWStringChunk(&text), IO_OK);
    EXPECT_STREQ(text, L"H\u00e9llo \u65e5\u672c \U0001F600");
    EXPECT_EQ(r.CloseChunk(), IO_OK);
    ASSERT_EQ(r.OpenChunk(), IO_OK);
    float f = 0.0f;
    EXPECT_EQ(r.Read(&f, sizeof(f), &n), IO_OK);
    EXPECT_EQ(f, 0.1f);
    EXPECT_EQ(r.CloseChunk(), IO_OK);
    EXPECT_EQ(r.OpenChunk(), IO_END) << "no further chunk inside 0x0200";
    EXPECT_EQ(r.CloseChunk(), IO_OK);
    EXPECT_EQ(r.OpenChunk(), IO_END);
}

TEST(ChunkStreams, ChunksCanBeSkippedUnread) {
    ChunkReader r(NestedStream());
    ASSERT_EQ(r.OpenChunk(), IO_OK);
    r.CloseChunk();
    ASSERT_EQ(r.OpenChunk(), IO_OK);
    EXPECT_EQ(r.CurChunkID(), 0x0200);
}

TEST(ChunkStreams, ReadingPastTheChunkIsAnError) {
    ChunkReader reader(NestedStream());
    ILoad& r = reader;
    ASSERT_EQ(r.OpenChunk(), IO_OK);
    double tooBig = 0.0;
    ULONG n = 99;
    EXPECT_EQ(r.Read(&tooBig, sizeof(tooBig), &n), IO_ERROR);
    EXPECT_EQ(n, sizeof(int)) << "only the chunk's own bytes are read";
    EXPECT_EQ(r.CloseChunk(), IO_OK);
    EXPECT_EQ(r.CloseChunk(), IO_ERROR) << "no chunk left to close";
}

// Reads NestedStream's contents the way a Load would; false as soon as anything is not IO_OK.
bool ReadNested(ILoad& r) {
    ULONG n = 0;
    int number = 0;
    float f = 0.0f;
    wchar_t* text = nullptr;
    return r.OpenChunk() == IO_OK && r.Read(&number, sizeof(number), &n) == IO_OK &&
           r.CloseChunk() == IO_OK && r.OpenChunk() == IO_OK && r.OpenChunk() == IO_OK &&
           r.ReadWStringChunk(&text) == IO_OK && r.CloseChunk() == IO_OK &&
           r.OpenChunk() == IO_OK && r.Read(&f, sizeof(f), &n) == IO_OK &&
           r.CloseChunk() == IO_OK && r.OpenChunk() == IO_END && r.CloseChunk() == IO_OK &&
           r.OpenChunk() == IO_END;
}

TEST(ChunkStreams, EveryTruncationFailsToRead) {
    const std::vector<unsigned char> whole = NestedStream();
    ChunkReader complete(whole);
    EXPECT_TRUE(ReadNested(complete));
    for (std::size_t size = 0; size < whole.size(); ++size) {
        ChunkReader r(
            std::vector<unsigned char>(whole.begin(), whole.begin() + static_cast<long>(size)));
        EXPECT_FALSE(ReadNested(r)) << "truncated to " << size << " bytes";
    }
}

TEST(ChunkStreams, ALengthBeyondTheEnclosingChunkIsAnError) {
    std::vector<unsigned char> bytes = NestedStream();
    // Chunk 0x0100's length field claims more than the stream holds.
    bytes[2] = 0xff;
    bytes[3] = 0xff;
    bytes[4] = 0xff;
    bytes[5] = 0x7f;
    ChunkReader r(bytes);
    EXPECT_EQ(r.OpenChunk(), IO_ERROR);
    EXPECT_EQ(r.OpenChunk(), IO_ERROR) << "a broken stream stays broken";
}

TEST(ChunkStreams, StringsWithoutTerminators) {
    ChunkWriter writer;
    ISave& w = writer;
    ULONG n = 0;
    w.BeginChunk(1);
    w.Write("ab", 2, &n); // two bytes: one UTF-16 unit 'a'|'b'<<8, no terminator
    w.EndChunk();
    ChunkReader r(writer.Bytes());
    wchar_t* wide = nullptr;
    ASSERT_EQ(r.OpenChunk(), IO_OK);
    ASSERT_EQ(r.ReadWStringChunk(&wide), IO_OK);
    EXPECT_EQ(std::wstring(wide), std::wstring(1, static_cast<wchar_t>('a' | ('b' << 8))));
    r.CloseChunk();
    EXPECT_EQ(r.ReadWStringChunk(&wide), IO_ERROR) << "outside any chunk";
}

TEST(ChunkStreams, UnbalancedEndChunkIsReported) {
    ChunkWriter w;
    w.EndChunk();
    EXPECT_FALSE(w.Healthy());
}

TEST(ChunkStreams, ChunkLayoutIsIdLengthPayloadLittleEndian) {
    ChunkWriter writer;
    ISave& w = writer;
    ULONG n = 0;
    w.BeginChunk(0x1234);
    const unsigned char payload[3] = {7, 8, 9};
    w.Write(payload, 3, &n);
    w.EndChunk();
    EXPECT_EQ(writer.Bytes(), (std::vector<unsigned char>{0x34, 0x12, 3, 0, 0, 0, 7, 8, 9}));
}

} // namespace
