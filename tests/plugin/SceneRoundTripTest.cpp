// A map saved with a scene and loaded again, through the host's scene I/O.
#include "ConstantMonoMap.h"
#include "NacreenLibrary.h"
#include "TestSupport.h"

#include <maxhost/Host.h>
#include <maxhost/SceneFiles.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nacreen_test {
namespace {

Owned<Texmap> SaveAndLoad(Texmap* map) {
    std::vector<unsigned char> bytes;
    std::string error;
    EXPECT_TRUE(maxhost::SaveSceneToBytes(map, bytes, error)) << error;
    ReferenceTarget* loaded = maxhost::LoadSceneFromBytes(bytes, error);
    EXPECT_NE(loaded, nullptr) << error;
    return Owned<Texmap>(static_cast<Texmap*>(loaded));
}

class SceneRoundTrip : public ::testing::Test {
protected:
    Owned<Texmap> map = NewNacreen();
    IParamBlock2* pb = map->GetParamBlock(0);

    void SetUp() override {
        pb->SetValue(kThicknessMax, 0, 180.0f);
        pb->SetValue(kThicknessMin, 0, 720.0f);
        pb->SetValue(kNMedium, 0, 1.33f);
        pb->SetValue(kNInternal, 0, 1.7f);
        pb->SetValue(kHue, 0, 33.3f);
        pb->SetValue(kThicknessMapEnabled, 0, TRUE);
        maxhost::SetKey(pb, kNFilm, 0, 1.4f);
        maxhost::SetKey(pb, kNFilm, 4800, 1.9f);
        maxhost::SetKey(pb, kSat, 0, -20.0f);
        maxhost::SetKey(pb, kSat, 2400, 40.0f);
        maxhost::SetKey(pb, kSat, 9600, 10.0f);
        maxhost::SetKey(pb, kGamma, 0, 0.8f);
        maxhost::SetKey(pb, kGamma, 4800, 1.6f);
        map->SetSubTexmap(0, ConstantMonoMap::Create(0.6f));
        auto* output = static_cast<TextureOutput*>(map->GetReference(kOutputRef));
        output->SetOutputLevel(0, 0.75f);
        output->SetInvert(TRUE);
    }
};

TEST_F(SceneRoundTrip, BringsBackEveryParameterAndKey) {
    Owned<Texmap> loaded = SaveAndLoad(map.get());
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->ClassID(), NACREEN_CLASS_ID);
    IParamBlock2* loadedPb = loaded->GetParamBlock(0);
    ASSERT_NE(loadedPb, nullptr);
    EXPECT_EQ(loadedPb->GetOwner(), static_cast<ReferenceMaker*>(loaded.get()));
    for (ParamID id :
         {kThicknessMax, kThicknessMin, kNMedium, kNFilm, kNInternal, kGamma, kHue, kSat}) {
        EXPECT_EQ(maxhost::NumKeys(loadedPb, id), maxhost::NumKeys(pb, id)) << id;
        for (TimeValue t : {0, 1200, 2400, 4800, 7200, 9600}) {
            EXPECT_EQ(loadedPb->GetFloat(id, t), pb->GetFloat(id, t)) << id << " at " << t;
        }
    }
    EXPECT_EQ(loadedPb->GetInt(kThicknessMapEnabled), TRUE);
}

TEST_F(SceneRoundTrip, BringsBackTheThicknessMapAndTheOutputObject) {
    Owned<Texmap> loaded = SaveAndLoad(map.get());
    ASSERT_NE(loaded, nullptr);
    Texmap* sub = loaded->GetSubTexmap(0);
    ASSERT_NE(sub, nullptr);
    ASSERT_EQ(sub->ClassID(), ConstantMonoMap::ClassIdentity());
    EXPECT_EQ(static_cast<ConstantMonoMap*>(sub)->value, 0.6f);
    EXPECT_EQ(loaded->GetParamBlock(0)->GetTexmap(kThicknessMap), sub);

    auto* output = static_cast<TextureOutput*>(loaded->GetReference(kOutputRef));
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(output->GetOutputLevel(0), 0.75f);
    EXPECT_EQ(output->GetInvert(), TRUE);
    EXPECT_EQ(loaded->GetParamBlock(0)->GetReferenceTarget(kOutput), output);
}

TEST_F(SceneRoundTrip, ShadesToTheSameBits) {
    Owned<Texmap> loaded = SaveAndLoad(map.get());
    ASSERT_NE(loaded, nullptr);
    maxhost::SimpleShadeContext sc;
    for (TimeValue t : {0, 2400, 6000}) {
        UpdateMap(map.get(), t);
        UpdateMap(loaded.get(), t);
        for (const Point3& view :
             {Point3(0.0f, 0.0f, -1.0f), Point3(0.6f, 0.0f, -0.8f), Point3(0.0f, 0.28f, -0.96f)}) {
            sc.view = view;
            sc.time = t;
            EXPECT_TRUE(SameColor(map->EvalColor(sc), loaded->EvalColor(sc))) << "at " << t;
            EXPECT_EQ(map->EvalMono(sc), loaded->EvalMono(sc));
        }
    }
}

} // namespace
} // namespace nacreen_test
