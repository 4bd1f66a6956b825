// Scene files: a map's reference graph saved and loaded as the host does it, and damaged or
// missing files refused with a message and without leaks.
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "StandinTestObjects.h"
#include "maxhost/Host.h"
#include "maxhost/SceneFiles.h"

namespace standin_test {
namespace {

class Scenes : public ::testing::Test {
protected:
    void SetUp() override { live = maxhost::LiveHeapBlocks(); }
    void TearDown() override {
        EXPECT_EQ(maxhost::LiveHeapBlocks(), live) << "objects leaked or lost";
    }

    // A map with a sub-map, changed values, keys, a name and a G-buffer id.
    TestMap* MakeMap() {
        TestMap* map = new TestMap();
        map->SetName(_M("My map \u00e9"));
        map->gbufID = 7;
        map->SetSubTexmap(0, new ConstMap());
        map->pblock->SetValue(kEnabled, 0, TRUE);
        maxhost::SetKey(map->pblock, kAmount, 0, 0.0f);
        maxhost::SetKey(map->pblock, kAmount, 4800, 1.0f);
        map->texout->SetOutputLevel(0, 0.5f);
        return map;
    }

    std::vector<unsigned char> Saved(ReferenceTarget* root) {
        std::vector<unsigned char> bytes;
        std::string error;
        EXPECT_TRUE(maxhost::SaveSceneToBytes(root, bytes, error)) << error;
        return bytes;
    }

    TestMapRegistration registration;
    std::int64_t live = 0;
};

TEST_F(Scenes, AMapRoundTripsWithItsBlockSubMapAndOutput) {
    TestMap* original = MakeMap();
    const std::vector<unsigned char> bytes = Saved(original);
    original->DeleteMe();

    std::string error;
    ReferenceTarget* root = maxhost::LoadSceneFromBytes(bytes, error);
    ASSERT_NE(root, nullptr) << error;
    auto* map = dynamic_cast<TestMap*>(root);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->GetName(), _M("My map \u00e9"));
    EXPECT_EQ(map->gbufID, 7u);
    EXPECT_EQ(map->loadedExtra, 42) << "the map's own chunk was read";
    ASSERT_NE(map->pblock, nullptr);
    EXPECT_EQ(map->pblock->GetOwner(), map);
    EXPECT_EQ(map->pblock->GetInt(kEnabled), TRUE);
    EXPECT_EQ(maxhost::NumKeys(map->pblock, kAmount), 2);
    EXPECT_FLOAT_EQ(map->pblock->GetFloat(kAmount, 2400), 0.5f);
    ASSERT_NE(dynamic_cast<ConstMap*>(map->sub), nullptr);
    EXPECT_EQ(map->pblock->GetTexmap(kSubmap), map->sub);
    ASSERT_NE(map->texout, nullptr);
    EXPECT_EQ(map->texout->GetOutputLevel(0), 0.5f);

    // References restored are live: a change in the loaded block reaches the loaded map.
    map->changedParams.clear();
    map->pblock->SetValue(kEnabled, 0, FALSE);
    ASSERT_EQ(map->changedParams.size(), 1u);
    map->DeleteMe();
}

TEST_F(Scenes, SharedTargetsAreSavedOnceAndStayShared) {
    Node* root = new Node(2);
    Node* shared = new Node(0);
    root->ReplaceReference(0, shared);
    root->ReplaceReference(1, shared);
    // Node has no class descriptor, so a scene holding it names an unknown class.
    std::string error;
    const std::vector<unsigned char> bytes = Saved(root);
    EXPECT_EQ(maxhost::LoadSceneFromBytes(bytes, error), nullptr);
    EXPECT_NE(error.find("unknown class"), std::string::npos) << error;
    root->DeleteMe();

    TestMap* map = new TestMap();
    ConstMap* sub = new ConstMap();
    map->SetSubTexmap(0, sub);
    const std::vector<unsigned char> once = Saved(map);
    map->DeleteMe();
    ReferenceTarget* loaded = maxhost::LoadSceneFromBytes(once, error);
    ASSERT_NE(loaded, nullptr) << error;
    loaded->DeleteMe();
}

TEST_F(Scenes, EveryTruncatedFileIsRefused) {
    TestMap* map = MakeMap();
    const std::vector<unsigned char> bytes = Saved(map);
    map->DeleteMe();
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        std::vector<unsigned char> cut(bytes.begin(), bytes.begin() + static_cast<long>(size));
        std::string error;
        ReferenceTarget* loaded = maxhost::LoadSceneFromBytes(cut, error);
        EXPECT_EQ(loaded, nullptr) << "truncated to " << size;
        EXPECT_FALSE(error.empty());
        if (loaded) {
            loaded->DeleteMe();
        }
    }
}

TEST_F(Scenes, EveryCorruptByteIsRefused) {
    TestMap* map = MakeMap();
    const std::vector<unsigned char> bytes = Saved(map);
    map->DeleteMe();
    // A damaged byte could otherwise put one object in another's slot; the checksum catches it.
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::vector<unsigned char> corrupt = bytes;
        corrupt[i] ^= 0xA5;
        std::string error;
        ReferenceTarget* loaded = maxhost::LoadSceneFromBytes(corrupt, error);
        EXPECT_EQ(loaded, nullptr) << "byte " << i;
        EXPECT_FALSE(error.empty());
        if (loaded) {
            loaded->DeleteMe();
        }
    }
}

// The file's first object chunk (the root's), and the file with `copies` more of it appended:
// entries that nothing refers to. The checksum is set again, as a crafted file would set it.
std::vector<unsigned char> WithUnreachableCopies(std::vector<unsigned char> bytes, int copies) {
    constexpr std::size_t kHeader = 18;
    std::uint32_t length = 0;
    std::memcpy(&length, &bytes[kHeader + 2], sizeof length);
    const std::vector<unsigned char> chunk(bytes.begin() + kHeader,
                                           bytes.begin() + kHeader + 6 + length);
    for (int i = 0; i < copies; ++i) {
        bytes.insert(bytes.end(), chunk.begin(), chunk.end());
    }
    const auto crc = static_cast<std::uint32_t>(
        crc32(0L, bytes.data() + kHeader, static_cast<uInt>(bytes.size() - kHeader)));
    std::memcpy(&bytes[kHeader - 4], &crc, sizeof crc);
    return bytes;
}

// What a crafted file may not make the loader do: build objects the root never reaches, recurse
// along a chain of any length, or put a parameter block in the slot of another's.
TEST_F(Scenes, HostileGraphsAreRefusedBeforeAnythingIsBuilt) {
    std::string error;
    TestMap* map = MakeMap();
    const std::vector<unsigned char> plain = Saved(map);
    map->DeleteMe();
    // Objects come from the host heap: loading builds as many with 5000 stray entries as without.
    std::uint64_t built[2] = {};
    for (const int copies : {0, 5000}) {
        const std::uint64_t before = maxhost::GetHeapCounts().allocations;
        ReferenceTarget* loaded =
            maxhost::LoadSceneFromBytes(WithUnreachableCopies(plain, copies), error);
        built[copies != 0] = maxhost::GetHeapCounts().allocations - before;
        ASSERT_NE(loaded, nullptr) << error;
        loaded->DeleteMe();
    }
    EXPECT_EQ(built[1], built[0]) << "unreachable entries were built";

    // Maps nested in each other: each holds the next as its sub-map.
    for (const int maps : {40, 70}) {
        TestMap* top = new TestMap();
        TestMap* link = top;
        for (int i = 1; i < maps; ++i) {
            auto* next = new TestMap();
            link->SetSubTexmap(0, next);
            link = next;
        }
        const std::vector<unsigned char> chain = Saved(top);
        top->DeleteMe();
        ReferenceTarget* loaded = maxhost::LoadSceneFromBytes(chain, error);
        EXPECT_EQ(loaded != nullptr, maps == 40) << maps << ": " << error;
        if (loaded) {
            loaded->DeleteMe();
        } else {
            EXPECT_EQ(error, "the scene's objects are nested more than 64 deep");
        }
    }

    // The output object's block slot holding the map's own block: both are parameter blocks,
    // but the output would read the map's block by its own parameter ids.
    map = new TestMap();
    map->texout->ReplaceReference(0, map->pblock);
    const std::vector<unsigned char> swapped = Saved(map);
    map->DeleteMe();
    EXPECT_EQ(maxhost::LoadSceneFromBytes(swapped, error), nullptr);
    EXPECT_NE(error.find("cannot hold object #1 (ParamBlock2) in reference slot 0"),
              std::string::npos)
        << error;
}

TEST_F(Scenes, NotASceneFile) {
    std::string error;
    EXPECT_EQ(maxhost::LoadSceneFromBytes({}, error), nullptr);
    EXPECT_EQ(error, "not a scene file");
    EXPECT_EQ(maxhost::LoadSceneFromBytes({'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o'}, error),
              nullptr);
    std::vector<unsigned char> bytes;
    EXPECT_FALSE(maxhost::SaveSceneToBytes(nullptr, bytes, error));
}

} // namespace
} // namespace standin_test
