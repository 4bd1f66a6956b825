// The map's answers to the host's structural questions: identity, references, sub-anims,
// sub-texmaps and parameter blocks.
#include "ConstantMonoMap.h"
#include "NacreenLibrary.h"

#include <maxhost/Host.h>

#include <gtest/gtest.h>

#include <string>

namespace nacreen_test {
namespace {

std::wstring Str(const MSTR& s) {
    return std::wstring(s.data());
}

TEST(MapStructure, IsATextureMapNamedNacreen) {
    Owned<Texmap> map = NewNacreen();
    EXPECT_EQ(map->ClassID(), NACREEN_CLASS_ID);
    EXPECT_EQ(map->SuperClassID(), TEXMAP_CLASS_ID);
    MSTR localized, plain;
    map->GetClassName(localized, true);
    map->GetClassName(plain, false);
    EXPECT_EQ(Str(localized), L"Nacreen");
    EXPECT_EQ(Str(plain), L"Nacreen");
    maxhost::SimpleShadeContext sc;
    EXPECT_TRUE(map->IsLocalOutputMeaningful(sc));
}

TEST(MapStructure, HoldsBlockThicknessMapAndOutputInThatOrder) {
    Owned<Texmap> map = NewNacreen();
    ASSERT_EQ(map->NumRefs(), 3);
    IParamBlock2* pb = map->GetParamBlock(0);
    ReferenceTarget* output = map->GetReference(kOutputRef);
    EXPECT_EQ(map->GetReference(kParamBlockRef), pb);
    EXPECT_EQ(map->GetReference(kThicknessMapRef), nullptr);
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(output->SuperClassID(), TEXOUTPUT_CLASS_ID);
    EXPECT_EQ(output->ClassID(), maxhost::StandardTextureOutputClassID());

    ConstantMonoMap* sub = ConstantMonoMap::Create(0.0f);
    map->SetSubTexmap(0, sub);
    ASSERT_EQ(map->NumSubs(), 3);
    EXPECT_EQ(map->SubAnim(0), pb);
    EXPECT_EQ(map->SubAnim(1), sub);
    EXPECT_EQ(map->SubAnim(2), output);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(map->SubNumToRefNum(i), i);
    }
}

TEST(MapStructure, NamesItsSubAnims) {
    Owned<Texmap> map = NewNacreen();
    EXPECT_EQ(Str(map->SubAnimName(0, true)), L"Nacreen Parameters");
    EXPECT_EQ(Str(map->SubAnimName(0, false)), L"Nacreen Parameters");
    EXPECT_EQ(Str(map->SubAnimName(2, true)), L"Output");
    EXPECT_EQ(Str(map->SubAnimName(2, false)), L"Output");
    // Sub-anim 1 takes the host's track-view name of sub-texmap 0 in the form asked for; the
    // resources are English only, so both forms read the same.
    const std::wstring tvName = Str(map->GetSubTexmapTVName(0, true));
    EXPECT_FALSE(tvName.empty());
    EXPECT_EQ(Str(map->GetSubTexmapTVName(0, false)), tvName);
    EXPECT_EQ(Str(map->SubAnimName(1, true)), tvName);
    EXPECT_EQ(Str(map->SubAnimName(1, false)), Str(map->GetSubTexmapTVName(0, false)));
}

TEST(MapStructure, HasOneSubTexmapSlot) {
    Owned<Texmap> map = NewNacreen();
    ASSERT_EQ(map->NumSubTexmaps(), 1);
    EXPECT_EQ(map->GetSubTexmap(0), nullptr);
    EXPECT_EQ(Str(map->GetSubTexmapSlotName(0, true)), L"ThicknessMap");
    EXPECT_EQ(Str(map->GetSubTexmapSlotName(0, false)), L"ThicknessMap");
    EXPECT_EQ(Str(map->GetSubTexmapSlotName(1, true)), L"");
    ConstantMonoMap* sub = ConstantMonoMap::Create(0.0f);
    map->SetSubTexmap(0, sub);
    EXPECT_EQ(map->GetSubTexmap(0), sub);
}

TEST(MapStructure, RemovesTheSubTexmapWithNull) {
    Owned<Texmap> map = NewNacreen();
    map->SetSubTexmap(0, ConstantMonoMap::Create(0.0f));
    map->SetSubTexmap(0, nullptr);
    EXPECT_EQ(map->GetSubTexmap(0), nullptr);
    EXPECT_EQ(map->GetReference(kThicknessMapRef), nullptr);
    EXPECT_EQ(map->GetParamBlock(0)->GetTexmap(kThicknessMap), nullptr);
}

TEST(MapStructure, IgnoresSubTexmapSlotsItDoesNotHave) {
    Owned<Texmap> map = NewNacreen();
    ReferenceTarget* output = map->GetReference(kOutputRef);
    ConstantMonoMap* sub = ConstantMonoMap::Create(0.0f);
    map->SetSubTexmap(1, sub);
    EXPECT_EQ(map->GetReference(kOutputRef), output);
    EXPECT_EQ(map->GetSubTexmap(1), nullptr);
    sub->DeleteMe();
}

TEST(MapStructure, FindsItsBlockByIdAndByAnyIndex) {
    Owned<Texmap> map = NewNacreen();
    IParamBlock2* pb = map->GetParamBlock(0);
    EXPECT_EQ(map->NumParamBlocks(), 1);
    EXPECT_EQ(map->GetParamBlock(1), pb);
    EXPECT_EQ(map->GetParamBlock(-1), pb);
    EXPECT_EQ(map->GetParamBlockByID(0), pb);
    EXPECT_EQ(map->GetParamBlockByID(1), nullptr);
    EXPECT_EQ(map->GetParamBlockByID(-1), nullptr);
}

TEST(MapStructure, KeepsTheDefaultRequirementsAndMappings) {
    Owned<Texmap> map = NewNacreen();
    EXPECT_EQ(map->LocalRequirements(0), 0u);
    Matrix3 uv;
    map->GetUVTransform(uv);
    Matrix3 identity;
    identity.IdentityMatrix();
    EXPECT_TRUE(uv == identity);
}

} // namespace
} // namespace nacreen_test
