// The block a new map receives: defaults, display names, owner and owner-held references.
#include "ConstantMonoMap.h"
#include "NacreenLibrary.h"

#include <maxhost/Host.h>

#include <gtest/gtest.h>

#include <string>

namespace nacreen_test {
namespace {

TEST(ParamBlock, NewMapHoldsTheDefaults) {
    Owned<Texmap> map = NewNacreen();
    IParamBlock2* pb = map->GetParamBlock(0);
    ASSERT_NE(pb, nullptr);
    EXPECT_EQ(pb->GetFloat(kThicknessMax), 250.0f);
    EXPECT_EQ(pb->GetFloat(kThicknessMin), 350.0f);
    EXPECT_EQ(pb->GetFloat(kNMedium), 1.0f);
    EXPECT_EQ(pb->GetFloat(kNFilm), 1.5f);
    EXPECT_EQ(pb->GetFloat(kNInternal), 1.0f);
    EXPECT_EQ(pb->GetInt(kThicknessMapEnabled), 0);
    EXPECT_EQ(pb->GetFloat(kGamma), 1.0f);
    EXPECT_EQ(pb->GetFloat(kHue), 0.0f);
    EXPECT_EQ(pb->GetFloat(kSat), 0.0f);
    EXPECT_EQ(pb->GetTexmap(kThicknessMap), nullptr);
}

TEST(ParamBlock, BelongsToItsMapAsReferenceZero) {
    Owned<Texmap> map = NewNacreen();
    IParamBlock2* pb = map->GetParamBlock(0);
    EXPECT_EQ(pb->ID(), 0);
    EXPECT_EQ(pb->GetOwner(), static_cast<ReferenceMaker*>(map.get()));
    EXPECT_EQ(map->GetReference(kParamBlockRef), pb);
    EXPECT_EQ(pb->GetDesc(), NacreenBlockDesc());
}

TEST(ParamBlock, ShowsTheDisplayNamesOfTheStringTable) {
    Owned<Texmap> map = NewNacreen();
    IParamBlock2* pb = map->GetParamBlock(0);
    const wchar_t* const names[] = {L"ThicknessMin", L"ThicknessMax", L"nMedium",         L"nFilm",
                                    L"nInternal",    L"ThicknessMap", L"UseThicknessMap", L"Gamma",
                                    L"HueShift",     L"Saturation",   L"Output"};
    for (ParamID id = 0; id < 11; ++id) {
        EXPECT_EQ(std::wstring(pb->GetLocalName(id).data()), names[id]) << id;
    }
}

TEST(ParamBlock, ReportsTheMapsOwnReferencesAsItsReferenceParameters) {
    Owned<Texmap> map = NewNacreen();
    IParamBlock2* pb = map->GetParamBlock(0);
    EXPECT_EQ(pb->GetReferenceTarget(kOutput), map->GetReference(kOutputRef));
    ConstantMonoMap* sub = ConstantMonoMap::Create(0.5f);
    map->SetSubTexmap(0, sub);
    EXPECT_EQ(pb->GetTexmap(kThicknessMap), sub);
    EXPECT_EQ(map->GetReference(kThicknessMapRef), sub);
}

TEST(ParamBlock, SettingTheMapParameterInstallsItAsReferenceOne) {
    Owned<Texmap> map = NewNacreen();
    IParamBlock2* pb = map->GetParamBlock(0);
    ConstantMonoMap* sub = ConstantMonoMap::Create(0.5f);
    ASSERT_TRUE(pb->SetValue(kThicknessMap, 0, static_cast<Texmap*>(sub)));
    EXPECT_EQ(map->GetSubTexmap(0), sub);
}

TEST(ParamBlock, AnimatesTheEightFloatsButNotTheSwitch) {
    Owned<Texmap> map = NewNacreen();
    IParamBlock2* pb = map->GetParamBlock(0);
    for (ParamID id :
         {kThicknessMax, kThicknessMin, kNMedium, kNFilm, kNInternal, kGamma, kHue, kSat}) {
        EXPECT_TRUE(maxhost::SetKey(pb, id, 4800, 2.0f)) << id;
    }
    EXPECT_FALSE(maxhost::SetKey(pb, kThicknessMapEnabled, 4800, 1.0f));
}

TEST(ParamBlock, KeepsValuesOutsideEachOthersOrder) {
    // Nothing keeps "Min:" below "Max:".
    Owned<Texmap> map = NewNacreen();
    IParamBlock2* pb = map->GetParamBlock(0);
    pb->SetValue(kThicknessMax, 0, 900.0f);
    pb->SetValue(kThicknessMin, 0, 100.0f);
    EXPECT_EQ(pb->GetFloat(kThicknessMax), 900.0f);
    EXPECT_EQ(pb->GetFloat(kThicknessMin), 100.0f);
    pb->SetValue(kNFilm, 0, 0.5f);
    EXPECT_EQ(pb->GetFloat(kNFilm), 0.5f);
}

} // namespace
} // namespace nacreen_test
