// The parameter block "params": what its static descriptor tells the host.
#include "NacreenLibrary.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nacreen_test {
namespace {

TEST(ParamBlockDesc, IsAnAutomaticBlockWithAnAutomaticRollout) {
    ParamBlockDesc2* pbd = NacreenBlockDesc();
    ASSERT_NE(pbd, nullptr);
    EXPECT_EQ(pbd->flags, P_AUTO_CONSTRUCT + P_AUTO_UI);
    EXPECT_EQ(pbd->local_name, 0);
    EXPECT_EQ(pbd->ref_no, kParamBlockRef);
    EXPECT_EQ(pbd->Count(), 11);
    ASSERT_EQ(pbd->NumMapSpecs(), 1);
    ParamBlockDesc2::MapSpec* rollout = pbd->GetMapSpec(0);
    ASSERT_NE(rollout, nullptr);
    EXPECT_EQ(rollout->dlg_template, IDD_NACREEN);
    EXPECT_EQ(rollout->title, IDS_PARAMS);
    EXPECT_EQ(rollout->test_flags, 0);
    EXPECT_EQ(rollout->rollup_flags, 0);
}

struct FloatParam {
    ParamID id;
    const wchar_t* name;
    StringResID displayName;
    float def, low, high;
    int editId, spinId;
    float step;
};

// Every value as the single-precision float the descriptor must carry.
const FloatParam kFloatParams[] = {
    {kThicknessMax, L"thicknessmax", IDS_THICKNESS_MIN, 250.0f, 0.0f, 3000.0f, 1490, 1496, 1.0f},
    {kThicknessMin, L"thicknessmin", IDS_THICKNESS_MAX, 350.0f, 0.0f, 3000.0f, 1491, 1497, 1.0f},
    {kNMedium, L"nmedium", IDS_N_MEDIUM, 1.0f, 0.2f, 100.0f, 1493, 1499, 0.01f},
    {kNFilm, L"nfilm", IDS_N_FILM, 1.5f, 0.2f, 100.0f, 1494, 1500, 0.01f},
    {kNInternal, L"ninternal", IDS_N_INTERNAL, 1.0f, 0.2f, 100.0f, 1495, 1501, 0.01f},
    {kGamma, L"gamma", IDS_GAMMA, 1.0f, 0.05f, 20.0f, 1492, 1498, 0.01f},
    {kHue, L"hue", IDS_HUE_SHIFT, 0.0f, -180.0f, 180.0f, 1502, 1503, 0.1f},
    {kSat, L"sat", IDS_SATURATION, 0.0f, -100.0f, 100.0f, 1504, 1505, 0.1f},
};

TEST(ParamBlockDesc, DescribesTheEightAnimatableFloats) {
    ParamBlockDesc2* pbd = NacreenBlockDesc();
    for (const FloatParam& expected : kFloatParams) {
        SCOPED_TRACE(std::string(expected.name, expected.name + wcslen(expected.name)));
        const ParamDef& def = pbd->GetParamDef(expected.id);
        EXPECT_EQ(def.ID, expected.id);
        EXPECT_EQ(std::wstring(def.int_name.data()), expected.name);
        EXPECT_EQ(def.type, TYPE_FLOAT);
        EXPECT_EQ(def.flags, P_ANIMATABLE);
        EXPECT_EQ(def.local_name, expected.displayName);
        EXPECT_EQ(def.def.f, expected.def);
        ASSERT_TRUE(def.has_range);
        EXPECT_EQ(def.range_low.f, expected.low);
        EXPECT_EQ(def.range_high.f, expected.high);
        ASSERT_TRUE(def.has_ui);
        EXPECT_EQ(def.ctrl_type, TYPE_SPINNER);
        EXPECT_EQ(def.spin_type, EDITTYPE_FLOAT);
        EXPECT_EQ(def.ctrl_IDs, (std::vector<int>{expected.editId, expected.spinId}));
        EXPECT_EQ(def.spin_scale, expected.step);
        EXPECT_EQ(def.refno, -1);
    }
}

TEST(ParamBlockDesc, BindsTheThicknessMapToReferenceOneAndSubTexmapZero) {
    const ParamDef& def = NacreenBlockDesc()->GetParamDef(kThicknessMap);
    EXPECT_EQ(std::wstring(def.int_name.data()), L"thicknessmap");
    EXPECT_EQ(def.type, TYPE_TEXMAP);
    EXPECT_EQ(def.flags, P_OWNERS_REF);
    EXPECT_EQ(def.local_name, IDS_THICKNESS_MAP);
    EXPECT_EQ(def.refno, kThicknessMapRef);
    EXPECT_EQ(def.sub_texmap_no, 0);
    ASSERT_TRUE(def.has_ui);
    EXPECT_EQ(def.ctrl_type, TYPE_TEXMAPBUTTON);
    EXPECT_EQ(def.ctrl_IDs, std::vector<int>{IDC_THICKNESS_MAP});
}

TEST(ParamBlockDesc, HasAPlainCheckBoxForTheThicknessMapSwitch) {
    const ParamDef& def = NacreenBlockDesc()->GetParamDef(kThicknessMapEnabled);
    EXPECT_EQ(std::wstring(def.int_name.data()), L"thicknessmapenabled");
    EXPECT_EQ(def.type, TYPE_BOOL);
    EXPECT_EQ(def.flags, 0); // not animatable
    EXPECT_EQ(def.local_name, IDS_USE_THICKNESS_MAP);
    EXPECT_EQ(def.def.i, FALSE);
    EXPECT_FALSE(def.has_range);
    ASSERT_TRUE(def.has_ui);
    EXPECT_EQ(def.ctrl_type, TYPE_SINGLECHEKBOX);
    EXPECT_EQ(def.ctrl_IDs, std::vector<int>{IDC_THICKNESS_MAP_ENABLED});
}

TEST(ParamBlockDesc, NamesTheOutputObjectAsReferenceTwoWithoutAControl) {
    const ParamDef& def = NacreenBlockDesc()->GetParamDef(kOutput);
    EXPECT_EQ(std::wstring(def.int_name.data()), L"output");
    EXPECT_EQ(def.type, TYPE_REFTARG);
    EXPECT_EQ(def.flags, P_OWNERS_REF);
    EXPECT_EQ(def.local_name, IDS_OUTPUT);
    EXPECT_EQ(def.refno, kOutputRef);
    EXPECT_FALSE(def.has_ui);
}

TEST(ParamBlockDesc, FindsEveryParameterByItsScriptingName) {
    ParamBlockDesc2* pbd = NacreenBlockDesc();
    const wchar_t* const names[] = {
        L"thicknessmax", L"thicknessmin",        L"nmedium", L"nfilm", L"ninternal",
        L"thicknessmap", L"thicknessmapenabled", L"gamma",   L"hue",   L"sat",
        L"output"};
    for (int id = 0; id < 11; ++id) {
        EXPECT_EQ(pbd->IndextoID(pbd->NameToIndex(names[id])), id) << id;
    }
}

} // namespace
} // namespace nacreen_test
