// Cloning and resetting a map.
#include "ConstantMonoMap.h"
#include "NacreenLibrary.h"
#include "TestSupport.h"

#include <maxhost/Host.h>

#include <gtest/gtest.h>

namespace nacreen_test {
namespace {

Owned<Texmap> CloneOf(Texmap* map) {
    RemapDir* remap = NewRemapDir();
    RefTargetHandle copy = map->Clone(*remap);
    remap->DeleteThis();
    return Owned<Texmap>(static_cast<Texmap*>(copy));
}

TEST(MapClone, CopiesParametersKeysAndNameIntoObjectsOfItsOwn) {
    Owned<Texmap> map = NewNacreen();
    IParamBlock2* pb = map->GetParamBlock(0);
    pb->SetValue(kNFilm, 0, 1.8f);
    maxhost::SetKey(pb, kThicknessMax, 0, 200.0f);
    maxhost::SetKey(pb, kThicknessMax, 4800, 600.0f);
    map->SetName(_T("Pearl"));

    Owned<Texmap> copy = CloneOf(map.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->ClassID(), map->ClassID());
    EXPECT_EQ(std::wstring(copy->GetName().data()), L"Pearl");
    IParamBlock2* copyPb = copy->GetParamBlock(0);
    ASSERT_NE(copyPb, nullptr);
    EXPECT_NE(copyPb, pb);
    EXPECT_EQ(copyPb->GetOwner(), static_cast<ReferenceMaker*>(copy.get()));
    EXPECT_EQ(copyPb->GetFloat(kNFilm), 1.8f);
    EXPECT_EQ(maxhost::NumKeys(copyPb, kThicknessMax), 2);
    EXPECT_EQ(copyPb->GetFloat(kThicknessMax, 4800), 600.0f);
    ASSERT_NE(copy->GetReference(kOutputRef), nullptr);
    EXPECT_NE(copy->GetReference(kOutputRef), map->GetReference(kOutputRef));
    EXPECT_EQ(copy->GetSubTexmap(0), nullptr);
}

TEST(MapClone, YieldsNullWhenTheHostHeapHasNoStorage) {
    Owned<Texmap> map = NewNacreen();
    RemapDir* remap = NewRemapDir();
    ASSERT_NE(remap, nullptr);
    const std::int64_t liveBefore = maxhost::LiveHeapBlocks();
    maxhost::FailNextHeapAllocations(1);
    RefTargetHandle copy = map->Clone(*remap);
    maxhost::ClearHeapFailures();
    EXPECT_EQ(copy, nullptr);
    EXPECT_EQ(maxhost::LiveHeapBlocks(), liveBefore);
    remap->DeleteThis();
}

TEST(MapClone, StartsStaleAndShadesLikeTheOriginalOnceUpdated) {
    Owned<Texmap> map = NewNacreen();
    map->GetParamBlock(0)->SetValue(kHue, 0, 45.0f);
    UpdateMap(map.get());
    Owned<Texmap> copy = CloneOf(map.get());
    maxhost::ResetParamBlockReads(copy->GetParamBlock(0));
    UpdateMap(copy.get());
    EXPECT_EQ(maxhost::ParamBlockReads(copy->GetParamBlock(0)), 8u);
    maxhost::SimpleShadeContext sc;
    EXPECT_TRUE(SameColor(map->EvalColor(sc), copy->EvalColor(sc)));
}

TEST(MapClone, ClonesTheThicknessMapAndCarriesTheSwitchOver) {
    Owned<Texmap> map = NewNacreen();
    ConstantMonoMap* sub = ConstantMonoMap::Create(1.0f);
    map->SetSubTexmap(0, sub);
    map->GetParamBlock(0)->SetValue(kThicknessMapEnabled, 0, TRUE);
    UpdateMap(map.get());

    Owned<Texmap> copy = CloneOf(map.get());
    Texmap* copySub = copy->GetSubTexmap(0);
    ASSERT_NE(copySub, nullptr);
    EXPECT_NE(copySub, sub);
    ASSERT_EQ(copySub->ClassID(), ConstantMonoMap::ClassIdentity());
    ConstantMonoMap* clonedSub = static_cast<ConstantMonoMap*>(copySub);
    EXPECT_EQ(clonedSub->value, 1.0f);
    // The switch is copied with the map, so the clone uses its thickness map before any update.
    maxhost::SimpleShadeContext sc;
    copy->EvalColor(sc);
    EXPECT_EQ(clonedSub->evalMonoCalls.load(), 1);
}

TEST(MapReset, ReturnsToDefaultsAndResetsTheSameOutputObject) {
    Owned<Texmap> map = NewNacreen();
    IParamBlock2* pb = map->GetParamBlock(0);
    pb->SetValue(kGamma, 0, 2.2f);
    pb->SetValue(kThicknessMapEnabled, 0, TRUE);
    map->SetSubTexmap(0, ConstantMonoMap::Create(0.3f));
    auto* output = static_cast<TextureOutput*>(map->GetReference(kOutputRef));
    output->SetOutputLevel(0, 3.0f);
    UpdateMap(map.get());

    map->Reset();
    EXPECT_EQ(map->GetParamBlock(0), pb);
    EXPECT_EQ(pb->GetFloat(kGamma), 1.0f);
    EXPECT_EQ(pb->GetInt(kThicknessMapEnabled), 0);
    EXPECT_EQ(map->GetSubTexmap(0), nullptr);
    EXPECT_EQ(map->GetReference(kOutputRef), output);
    EXPECT_EQ(output->GetOutputLevel(0), 1.0f);
    maxhost::ResetParamBlockReads(pb);
    UpdateMap(map.get());
    EXPECT_EQ(maxhost::ParamBlockReads(pb), 8u);
}

TEST(MapReset, InstallsANewOutputObjectWhenThereIsNone) {
    Owned<Texmap> map = NewNacreen();
    map->DeleteReference(kOutputRef);
    ASSERT_EQ(map->GetReference(kOutputRef), nullptr);
    map->Reset();
    ReferenceTarget* output = map->GetReference(kOutputRef);
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(output->SuperClassID(), TEXOUTPUT_CLASS_ID);
}

} // namespace
} // namespace nacreen_test
