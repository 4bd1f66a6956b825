// Parameter block descriptors read from the SDK's tag list: a good list gives the block's
// settings and parameters; a broken one is reported loudly and describes nothing.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "StandinTestObjects.h"
#include "maxhost/Host.h"

namespace standin_test {
namespace {

class EmptyDesc : public ClassDesc2 {
public:
    int IsPublic() override { return FALSE; }
    void* Create(BOOL) override { return nullptr; }
    const MCHAR* ClassName() override { return _M("Empty"); }
    const MCHAR* NonLocalizedClassName() override { return _M("Empty"); }
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(0x7e570010, 0); }
    const MCHAR* Category() override { return _M(""); }
};

class Descriptors : public ::testing::Test {
protected:
    void SetUp() override { maxhost::TakeDescriptorErrors(); }
    // The single error recorded since SetUp, or a failure.
    std::string OnlyError() {
        const std::vector<std::string> errors = maxhost::TakeDescriptorErrors();
        EXPECT_EQ(errors.size(), 1u);
        return errors.empty() ? std::string() : errors.front();
    }
    EmptyDesc cd;
};

bool Mentions(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(Descriptors, AGoodListGivesTheBlockSettingsAndParameters) {
    ParamBlockDesc2& block = TestMapBlock();
    EXPECT_EQ(block.ID, 0);
    EXPECT_EQ(block.flags, P_AUTO_CONSTRUCT + P_AUTO_UI);
    EXPECT_EQ(block.ref_no, 0);
    EXPECT_EQ(block.Count(), 4);
    ASSERT_NE(block.GetMapSpec(0), nullptr);
    EXPECT_EQ(block.GetMapSpec(0)->dlg_template, 101);
    EXPECT_EQ(block.GetMapSpec(0)->title, 4);
    EXPECT_EQ(TestMapDesc()->GetParamBlockDescByID(0), &block);

    const ParamDef& amount = block.GetParamDef(kAmount);
    EXPECT_EQ(amount.int_name, _M("amount"));
    EXPECT_EQ(amount.type, TYPE_FLOAT);
    EXPECT_EQ(amount.flags, P_ANIMATABLE);
    EXPECT_EQ(amount.local_name, 5);
    EXPECT_EQ(amount.def.f, 0.5f);
    EXPECT_EQ(amount.range_low.f, 0.0f);
    EXPECT_EQ(amount.range_high.f, 1.0f);
    EXPECT_EQ(amount.ctrl_type, TYPE_SPINNER);
    EXPECT_EQ(amount.spin_type, EDITTYPE_FLOAT);
    EXPECT_EQ(amount.ctrl_IDs, (std::vector<int>{kAmountEdit, kAmountSpin}));
    EXPECT_EQ(amount.spin_scale, 0.01f);

    const ParamDef& submap = block.GetParamDef(kSubmap);
    EXPECT_EQ(submap.flags, P_OWNERS_REF);
    EXPECT_EQ(submap.refno, 1);
    EXPECT_EQ(submap.sub_texmap_no, 0);
    EXPECT_EQ(submap.ctrl_type, TYPE_TEXMAPBUTTON);
    EXPECT_EQ(block.GetParamDef(kOutput).refno, 2);
    EXPECT_TRUE(maxhost::TakeDescriptorErrors().empty());
}

TEST_F(Descriptors, AnIntWhereAFloatIsReadIsRefused) {
    ParamBlockDesc2 block(1, _M("ints"), 0, &cd, 0, 0, _M("width"), TYPE_FLOAT, 0, 0, p_default,
                          250, p_end, p_end);
    const std::string error = OnlyError();
    EXPECT_TRUE(Mentions(error, "\"ints\"")) << error;
    EXPECT_TRUE(Mentions(error, "\"width\"")) << error;
    EXPECT_TRUE(Mentions(error, "p_default")) << error;
    EXPECT_TRUE(Mentions(error, "an int (250)")) << error;
    EXPECT_EQ(block.Count(), 0) << "a broken descriptor describes nothing";
    EXPECT_EQ(cd.NumParamBlockDescs(), 0);
}

TEST_F(Descriptors, FloatAndDoubleLiteralsAreBothReadAsFloats) {
    ParamBlockDesc2 block(1, _M("reals"), 0, &cd, 0, 0, _M("a"), TYPE_FLOAT, 0, 0, p_default, 2.5f,
                          p_range, 0.0, 10.0f, p_end, p_end);
    EXPECT_TRUE(maxhost::TakeDescriptorErrors().empty());
    EXPECT_EQ(block.GetParamDef(0).def.f, 2.5f);
    EXPECT_EQ(block.GetParamDef(0).range_high.f, 10.0f);
    EXPECT_EQ(cd.GetParamBlockDescByID(1), &block);
}

TEST_F(Descriptors, AFloatWhereAnIntIsReadIsRefused) {
    ParamBlockDesc2 block(1, _M("b"), 0, &cd, 0, 0, _M("on"), TYPE_BOOL, 0, 0, p_default, 1.0f,
                          p_end, p_end);
    EXPECT_TRUE(Mentions(OnlyError(), "a float")) << "bool default given as a float";
}

TEST_F(Descriptors, AMissingParameterEndIsRefused) {
    // The last parameter's own p_end is missing: the final p_end ends it and the list runs out.
    ParamBlockDesc2 block(1, _M("short"), 0, &cd, 0, 0, _M("a"), TYPE_FLOAT, 0, 0, p_default, 1.0f,
                          p_end);
    EXPECT_TRUE(Mentions(OnlyError(), "p_end missing")) << "list ran out";
    EXPECT_EQ(block.Count(), 0);
}

TEST_F(Descriptors, ArgumentsAfterTheFinalEndAreRefused) {
    ParamBlockDesc2 block(1, _M("long"), 0, &cd, 0, 0, _M("a"), TYPE_FLOAT, 0, 0, p_end, p_end, 7);
    EXPECT_TRUE(Mentions(OnlyError(), "follow the final p_end"));
}

TEST_F(Descriptors, BlockHeadArgumentsAreCheckedToo) {
    ParamBlockDesc2 block(1, _M("head"), 0, &cd, P_AUTO_CONSTRUCT + P_AUTO_UI, 0, 101, 4, 0, 0,
                          1.5f, p_end);
    EXPECT_TRUE(Mentions(OnlyError(), "user dialog procedure"));
}

TEST_F(Descriptors, InconsistentParametersAreRefused) {
    {
        ParamBlockDesc2 noRefno(1, _M("r"), 0, &cd, 0, 0, _M("map"), TYPE_TEXMAP, P_OWNERS_REF, 0,
                                p_end, p_end);
        EXPECT_TRUE(Mentions(OnlyError(), "needs p_refno"));
    }
    {
        ParamBlockDesc2 wrongControl(1, _M("c"), 0, &cd, 0, 0, _M("f"), TYPE_FLOAT, 0, 0, p_ui,
                                     TYPE_TEXMAPBUTTON, 1000, p_end, p_end);
        EXPECT_TRUE(Mentions(OnlyError(), "map button needs a TYPE_TEXMAP"));
    }
    {
        ParamBlockDesc2 twice(1, _M("t"), 0, &cd, 0, 0, _M("a"), TYPE_BOOL, 0, 0, p_end, 0, _M("b"),
                              TYPE_BOOL, 0, 0, p_end, p_end);
        EXPECT_TRUE(Mentions(OnlyError(), "used twice"));
    }
}

// Flags, types, tags and controls the host does not model are refused by name, so that a
// descriptor relying on one fails loudly instead of being misread.
TEST_F(Descriptors, WhatTheHostDoesNotModelIsRefusedByName) {
    const auto refused = [&](ParamBlockDesc2&& block, const std::string& part) {
        const std::string error = OnlyError();
        EXPECT_TRUE(Mentions(error, part) && Mentions(error, "not supported")) << error;
        EXPECT_EQ(block.Count(), 0) << part;
    };
    const USHORT useParams = 0x0008;
    refused(
        ParamBlockDesc2(1, _M("f"), 0, &cd, useParams, 1, _M("a"), TYPE_FLOAT, 0, 0, p_end, p_end),
        "block flags 0x8");
    refused(ParamBlockDesc2(1, _M("r"), 0, &cd, P_AUTO_UI, 101, 4, 0, 1, nullptr, p_end),
            "rollup flags");
    refused(ParamBlockDesc2(1, _M("i"), 0, &cd, 0, 0, _M("a"), TYPE_INT, 0, 0, p_end, p_end),
            "parameter type 1");
    refused(ParamBlockDesc2(1, _M("p"), 0, &cd, 0, 0, _M("a"), TYPE_FLOAT, 0x2, 0, p_end, p_end),
            "parameter flags 0x2");
    const int pVals = p_default + 6;
    refused(
        ParamBlockDesc2(1, _M("v"), 0, &cd, 0, 0, _M("a"), TYPE_BOOL, 0, 0, pVals, 0, p_end, p_end),
        "tag p_default+6");
    refused(ParamBlockDesc2(1, _M("t"), 0, &cd, 0, 0, _M("a"), TYPE_FLOAT, 0, 0, -5, p_end, p_end),
            "tag -5");
    const int radio = 1;
    refused(ParamBlockDesc2(1, _M("c"), 0, &cd, 0, 0, _M("a"), TYPE_BOOL, 0, 0, p_ui, radio, 1,
                            1000, p_end, p_end),
            "p_ui control type 1");
}

// Descriptor problems and the other plug-in faults share one record, but each taker gets only its
// own: a test's fault check never sees a descriptor error, and the loader never a rollout fault.
TEST_F(Descriptors, DescriptorErrorsAndHostFaultsAreTakenApart) {
    ParamBlockDesc2 block(1, _M("broken"), 0, &cd, 0, 0, _M("a"), TYPE_FLOAT, 0, 0, -5, p_end,
                          p_end);
    EXPECT_TRUE(maxhost::TakeHostFaults().empty());
    EXPECT_TRUE(Mentions(OnlyError(), "tag -5"));
}

TEST_F(Descriptors, ADescriptorLeavesItsClassWhenDestroyed) {
    {
        ParamBlockDesc2 block(3, _M("scoped"), 0, &cd, 0, 0, _M("a"), TYPE_BOOL, 0, 0, p_end,
                              p_end);
        EXPECT_EQ(cd.GetParamBlockDescByID(3), &block);
        EXPECT_EQ(cd.GetParamBlockDescByName(_M("scoped")), &block);
    }
    EXPECT_EQ(cd.NumParamBlockDescs(), 0);
}

} // namespace
} // namespace standin_test
