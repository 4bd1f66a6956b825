// The map's own chunks: what Save writes and how Load reads, including chunks of earlier versions
// and damaged streams.
#include "ConstantMonoMap.h"
#include "NacreenLibrary.h"
#include "TestSupport.h"

#include <maxhost/SceneFiles.h>
#include <maxhost/Host.h>

#include <gtest/gtest.h>

#include <vector>

namespace nacreen_test {
namespace {

constexpr USHORT kMtlHeaderChunk = 0x4000;
constexpr USHORT kLegacyChunk = 0x1000;

// Writes raw data into the current chunk through the SDK's typed interface.
template <class T> void WriteData(ISave& isave, const T* data, std::size_t count) {
    ULONG written = 0;
    isave.Write(data, static_cast<ULONG>(sizeof(T) * count), &written);
}

std::vector<unsigned char> SavedBytes(Texmap* map) {
    maxhost::ChunkWriter writer;
    EXPECT_EQ(map->Save(&writer), IO_OK);
    EXPECT_TRUE(writer.Healthy());
    return writer.Bytes();
}

TEST(MapSave, WritesOneChunkAroundTheBaseClassData) {
    Owned<Texmap> map = NewNacreen();
    map->SetName(_T("Soap bubble"));
    const std::vector<unsigned char> bytes = SavedBytes(map.get());
    maxhost::ChunkReader reader(bytes);
    ASSERT_EQ(reader.OpenChunk(), IO_OK);
    EXPECT_EQ(reader.CurChunkID(), kMtlHeaderChunk);
    EXPECT_EQ(reader.CloseChunk(), IO_OK);
    EXPECT_EQ(reader.OpenChunk(), IO_END);
}

TEST(MapLoad, ReadsTheBaseClassDataBack) {
    Owned<Texmap> source = NewNacreen();
    source->SetName(_T("Soap bubble"));
    source->SetGBufID(7);
    const std::vector<unsigned char> bytes = SavedBytes(source.get());
    Owned<Texmap> loaded = NewNacreen(TRUE);
    maxhost::ChunkReader reader(bytes);
    EXPECT_EQ(loaded->Load(&reader), IO_OK);
    EXPECT_EQ(std::wstring(loaded->GetName().data()), L"Soap bubble");
    EXPECT_EQ(loaded->GetGBufID(), 7u);
}

TEST(MapLoad, SkipsChunksItDoesNotKnow) {
    maxhost::ChunkWriter writer;
    writer.BeginChunk(0x2222);
    const int payload = 5;
    WriteData(writer, &payload, 1);
    writer.EndChunk();
    Owned<Texmap> loaded = NewNacreen(TRUE);
    maxhost::ChunkReader reader(writer.Bytes());
    EXPECT_EQ(loaded->Load(&reader), IO_OK);
}

// A map whose cached switch is on while its validity is stale: what a loaded map is before its
// first update, with the switch showing.
class LegacyChunk : public ::testing::Test {
protected:
    Owned<Texmap> map = NewNacreen();
    ConstantMonoMap* sub = ConstantMonoMap::Create(1.0f);

    void SetUp() override {
        map->SetSubTexmap(0, sub);
        map->GetParamBlock(0)->SetValue(kThicknessMapEnabled, 0, TRUE);
        UpdateMap(map.get());
        map->GetParamBlock(0)->SetValue(kHue, 0, 0.0f); // empties validity, keeps the switch
    }

    bool UsesThicknessMap() {
        const int before = sub->evalMonoCalls.load();
        maxhost::SimpleShadeContext sc;
        map->EvalColor(sc);
        return sub->evalMonoCalls.load() > before;
    }

    IOResult LoadChunks(bool legacyFirst, bool legacyAfter) {
        maxhost::ChunkWriter writer;
        Owned<Texmap> other = NewNacreen();
        if (legacyFirst) {
            WriteLegacyChunk(writer);
        }
        EXPECT_EQ(other->Save(&writer), IO_OK);
        if (legacyAfter) {
            WriteLegacyChunk(writer);
        }
        maxhost::ChunkReader reader(writer.Bytes());
        return map->Load(&reader);
    }

    static void WriteLegacyChunk(ISave& writer) {
        writer.BeginChunk(kLegacyChunk);
        const int contents = 1;
        WriteData(writer, &contents, 1);
        writer.EndChunk();
    }
};

TEST_F(LegacyChunk, WithoutItTheSwitchStays) {
    ASSERT_EQ(LoadChunks(false, false), IO_OK);
    EXPECT_TRUE(UsesThicknessMap());
}

TEST_F(LegacyChunk, BeforeTheHeaderClearsTheSwitchUntilTheNextUpdate) {
    ASSERT_EQ(LoadChunks(true, false), IO_OK);
    EXPECT_FALSE(UsesThicknessMap());
    UpdateMap(map.get());
    EXPECT_TRUE(UsesThicknessMap());
}

TEST_F(LegacyChunk, AfterTheHeaderClearsTheSwitchUntilTheNextUpdate) {
    ASSERT_EQ(LoadChunks(false, true), IO_OK);
    EXPECT_FALSE(UsesThicknessMap());
    UpdateMap(map.get());
    EXPECT_TRUE(UsesThicknessMap());
}

// A chunk header that promises more bytes than the stream holds.
std::vector<unsigned char> TruncatedStream() {
    maxhost::ChunkWriter writer;
    writer.BeginChunk(0x2222);
    const int payload[4] = {1, 2, 3, 4};
    WriteData(writer, payload, 4);
    writer.EndChunk();
    std::vector<unsigned char> bytes = writer.Bytes();
    bytes.resize(bytes.size() - 8);
    return bytes;
}

TEST(MapLoad, ReportsADamagedStreamAsAFailure) {
    const std::vector<unsigned char> bytes = TruncatedStream();
    {
        maxhost::ChunkReader probe(bytes);
        ASSERT_EQ(probe.OpenChunk(), IO_ERROR) << "the stream must be damaged for this test";
    }
    Owned<Texmap> loaded = NewNacreen(TRUE);
    maxhost::ChunkReader reader(bytes);
    EXPECT_EQ(loaded->Load(&reader), IO_ERROR);
}

TEST(MapLoad, ReportsADamagedBaseClassChunkAsAFailure) {
    // A header chunk whose inner chunk is cut short: the base class's own reading fails.
    maxhost::ChunkWriter inner;
    inner.BeginChunk(0x2222);
    const int payload[4] = {1, 2, 3, 4};
    WriteData(inner, payload, 4);
    inner.EndChunk();
    std::vector<unsigned char> damaged = inner.Bytes();
    damaged.resize(damaged.size() - 8);

    maxhost::ChunkWriter writer;
    writer.BeginChunk(kMtlHeaderChunk);
    WriteData(writer, damaged.data(), damaged.size());
    writer.EndChunk();
    Owned<Texmap> loaded = NewNacreen(TRUE);
    maxhost::ChunkReader reader(writer.Bytes());
    EXPECT_NE(loaded->Load(&reader), IO_OK);
}

} // namespace
} // namespace nacreen_test
