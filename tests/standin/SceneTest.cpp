// Scene files: a map's reference graph saved and loaded as the host does it, and damaged or
// missing files refused with a message and without leaks.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "StandinTestObjects.h"
#include "maxhost/Heap.h"
#include "maxhost/ParamBlockProbe.h"
#include "maxhost/SceneIO.h"

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
        map->pblock->SetValue(kCount, 0, 9);
        maxhost::SetKey(map->pblock, kAmount, 0, 0.0f);
        maxhost::SetKey(map->pblock, kAmount, 4800, 1.0f);
        static_cast<StdTexoutGen*>(map->texout)->SetRGBAmt(2.0f, 0);
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
    EXPECT_EQ(map->pblock->GetInt(kCount), 9);
    EXPECT_EQ(maxhost::NumKeys(map->pblock, kAmount), 2);
    EXPECT_FLOAT_EQ(map->pblock->GetFloat(kAmount, 2400), 0.5f);
    ASSERT_NE(dynamic_cast<ConstMap*>(map->sub), nullptr);
    EXPECT_EQ(map->pblock->GetTexmap(kSubmap), map->sub);
    ASSERT_NE(map->texout, nullptr);
    EXPECT_EQ(static_cast<StdTexoutGen*>(map->texout)->GetRGBAmt(0), 2.0f);

    // References restored are live: a change in the loaded block reaches the loaded map.
    map->changedParams.clear();
    map->pblock->SetValue(kCount, 0, 1);
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

TEST_F(Scenes, FilesRoundTripAndMissingFilesAreReported) {
    const std::string path = ::testing::TempDir() + "standin_scene_test.scene";
    TestMap* map = MakeMap();
    std::string error;
    ASSERT_TRUE(maxhost::SaveScene(path, map, error)) << error;
    map->DeleteMe();
    ReferenceTarget* loaded = maxhost::LoadScene(path, error);
    ASSERT_NE(loaded, nullptr) << error;
    loaded->DeleteMe();
    std::remove(path.c_str());

    EXPECT_EQ(maxhost::LoadScene(path, error), nullptr);
    EXPECT_NE(error.find("cannot open"), std::string::npos) << error;
    TestMap* unsaved = new TestMap();
    EXPECT_FALSE(maxhost::SaveScene("/nonexistent-dir/x.scene", unsaved, error));
    EXPECT_NE(error.find("cannot open"), std::string::npos) << error;
    unsaved->DeleteMe();
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
