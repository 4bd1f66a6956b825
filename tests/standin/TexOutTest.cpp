// The default texture output: identity at its defaults, the documented adjustments otherwise,
// animated settings narrowing validity, and its own dialog.
#include <gtest/gtest.h>

#include "StandinTestObjects.h"
#include "maxhost/Host.h"

namespace standin_test {
namespace {

class TextureOutputs : public ::testing::Test {
protected:
    void SetUp() override {
        out = GetNewDefaultTextureOutput();
        ASSERT_NE(out, nullptr);
    }
    void TearDown() override { out->MaybeAutoDelete(); }
    void Refresh(TimeValue t = 0) {
        Interval valid = FOREVER;
        out->Update(t, valid);
    }
    // The output's parameters, as scripts set them: 0 output amount, 1 RGB level, 2 RGB offset,
    // 4 invert, 5 clamp, 6 alpha from RGB.
    static void Set(TextureOutput* o, ParamID id, float v) {
        o->GetParamBlock(0)->SetValue(id, 0, v);
    }
    static void Set(TextureOutput* o, ParamID id, int v) {
        o->GetParamBlock(0)->SetValue(id, 0, v);
    }
    TextureOutput* out = nullptr;
};

TEST_F(TextureOutputs, DefaultsLeaveEveryValueUnchanged) {
    EXPECT_EQ(out->SuperClassID(), static_cast<SClass_ID>(TEXOUTPUT_CLASS_ID));
    EXPECT_EQ(out->ClassID(), maxhost::StandardTextureOutputClassID());
    Refresh();
    const AColor odd(0.0361f, 1.7f, -0.25f, 0.3f);
    const AColor filtered = out->Filter(odd);
    EXPECT_EQ(filtered.r, odd.r);
    EXPECT_EQ(filtered.g, odd.g);
    EXPECT_EQ(filtered.b, odd.b);
    EXPECT_EQ(filtered.a, odd.a);
    EXPECT_EQ(out->GetOutputLevel(0), 1.0f);
    EXPECT_FALSE(out->GetInvert());
}

TEST_F(TextureOutputs, LevelOffsetAmountInvertAndClamp) {
    Set(out, 1, 2.0f);
    Set(out, 2, 0.1f);
    Refresh();
    AColor c = out->Filter(AColor(0.25f, 0.5f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(c.r, 0.6f);
    EXPECT_FLOAT_EQ(c.g, 1.1f);
    EXPECT_FLOAT_EQ(c.b, 0.1f);
    EXPECT_EQ(c.a, 1.0f) << "level and offset leave alpha";

    out->SetOutputLevel(0, 0.5f);
    Refresh();
    c = out->Filter(AColor(0.25f, 0.5f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(c.r, 0.3f);
    EXPECT_FLOAT_EQ(c.a, 0.5f) << "the output amount scales alpha too";

    out->SetInvert(TRUE);
    Set(out, 5, TRUE);
    Refresh();
    c = out->Filter(AColor(0.25f, 0.5f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(c.r, 0.7f);
    EXPECT_FLOAT_EQ(c.g, 0.45f);
    EXPECT_TRUE(out->GetInvert());

    Set(out, 5, FALSE);
    Set(out, 2, 3.0f);
    out->SetInvert(FALSE);
    Refresh();
    EXPECT_GT(out->Filter(AColor(0, 0, 0, 1)).r, 1.0f) << "unclamped";
    Set(out, 5, TRUE);
    Refresh();
    EXPECT_EQ(out->Filter(AColor(0, 0, 0, 1)).r, 1.0f);
}

TEST_F(TextureOutputs, AlphaFromRgb) {
    Set(out, 6, TRUE);
    Refresh();
    EXPECT_FLOAT_EQ(out->Filter(AColor(0.3f, 0.6f, 0.9f, 1.0f)).a, 0.6f);
}

TEST_F(TextureOutputs, AnimatedSettingsNarrowValidityAndResetRestoresDefaults) {
    IParamBlock2* pb = out->GetParamBlock(0);
    ASSERT_NE(pb, nullptr);
    maxhost::SetKey(pb, 0, 0, 1.0f);
    maxhost::SetKey(pb, 0, 100, 3.0f);
    Interval valid = FOREVER;
    out->Update(50, valid);
    EXPECT_TRUE(valid == Interval(50, 50));
    EXPECT_FLOAT_EQ(out->Filter(AColor(1.0f, 1.0f, 1.0f)).r, 2.0f);
    EXPECT_TRUE(out->Validity(200) == Interval(100, TIME_PosInfinity));

    out->Reset();
    EXPECT_EQ(out->GetParamBlock(0), pb) << "Reset keeps the block";
    EXPECT_EQ(maxhost::NumKeys(pb, 0), 0);
    EXPECT_TRUE(out->Validity(50) == FOREVER);
    EXPECT_EQ(out->Filter(AColor(1.0f, 1.0f, 1.0f)).r, 1.0f);
}

TEST_F(TextureOutputs, ChangesReachTheMapThatHoldsTheOutput) {
    TestMap* map = new TestMap();
    Interval valid = FOREVER;
    map->Update(0, valid);
    ASSERT_TRUE(map->ivalid == FOREVER);
    map->texout->SetOutputLevel(0, 0.5f);
    EXPECT_TRUE(map->ivalid.Empty()) << "REFMSG_CHANGE relayed through the output object";
    maxhost::SimpleShadeContext sc;
    map->Update(0, valid);
    EXPECT_FLOAT_EQ(map->EvalColor(sc).r, 0.25f);
    map->DeleteMe();
}

TEST_F(TextureOutputs, ItsDialogShowsItsOwnBlock) {
    maxhost::MtlParamsStub editor;
    ParamDlg* dlg = out->CreateParamDlg(nullptr, &editor);
    ASSERT_NE(dlg, nullptr);
    auto* master = static_cast<IAutoMParamDlg*>(dlg);
    ASSERT_NE(master->GetMap(), nullptr);
    EXPECT_EQ(master->GetMap()->GetParamBlock(), out->GetParamBlock(0));
    EXPECT_EQ(dlg->GetThing(), out);
    EXPECT_TRUE(maxhost::RolloutControlIds(master->GetMap()).empty()) << "it binds no controls";
    dlg->DeleteThis();
}

TEST_F(TextureOutputs, ACloneHasItsOwnSettings) {
    Set(out, 1, 4.0f);
    auto* copy = static_cast<TextureOutput*>(CloneThroughHost(out));
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->GetParamBlock(0), out->GetParamBlock(0));
    EXPECT_EQ(copy->GetParamBlock(0)->GetFloat(1), 4.0f);
    Set(copy, 1, 1.0f);
    EXPECT_EQ(out->GetParamBlock(0)->GetFloat(1), 4.0f);
    copy->MaybeAutoDelete();
}

} // namespace
} // namespace standin_test
