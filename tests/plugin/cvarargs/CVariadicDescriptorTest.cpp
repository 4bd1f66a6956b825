// The plug-in's tag list read through the SDK's C-variadic ParamBlockDesc2 constructor, the only
// one the real SDK has: floats arrive as doubles, enumerations and BOOLs as ints, and nothing
// checks their types. This program compiles the plug-in's sources with
// MAX_STANDIN_SDK_VARARGS_ONLY, so its descriptor takes that road, and compares it field by field
// with the one the loaded library built through the checking template constructor.
#include "../NacreenLibrary.h"

#include "NacreenClassDesc.h"

#include <gtest/gtest.h>

#include <string>

#ifndef MAX_STANDIN_SDK_VARARGS_ONLY
#error "this test must see only the C-variadic ParamBlockDesc2 constructor"
#endif

namespace nacreen_test {
namespace {

std::wstring Str(const MSTR& s) {
    return s.data() ? std::wstring(s.data()) : std::wstring();
}

void ExpectSameMap(ParamBlockDesc2::MapSpec* a, ParamBlockDesc2::MapSpec* b) {
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->map_id, b->map_id);
    EXPECT_EQ(a->dlg_template, b->dlg_template);
    EXPECT_EQ(a->title, b->title);
    EXPECT_EQ(a->test_flags, b->test_flags);
    EXPECT_EQ(a->rollup_flags, b->rollup_flags);
    EXPECT_EQ(a->category, b->category);
}

// Floats are compared bit for bit: a value that went through double and back must not move.
void ExpectSameParam(const ParamDef& a, const ParamDef& b) {
    EXPECT_EQ(a.ID, b.ID);
    EXPECT_EQ(Str(a.int_name), Str(b.int_name));
    EXPECT_EQ(Str(a.nonLocalizedName), Str(b.nonLocalizedName));
    EXPECT_EQ(a.type, b.type);
    EXPECT_EQ(a.table_size, b.table_size);
    EXPECT_EQ(a.flags, b.flags);
    EXPECT_EQ(a.local_name, b.local_name);
    EXPECT_EQ(a.def.i, b.def.i);
    EXPECT_EQ(a.def.f, b.def.f);
    EXPECT_EQ(a.has_range, b.has_range);
    EXPECT_EQ(a.range_low.i, b.range_low.i);
    EXPECT_EQ(a.range_low.f, b.range_low.f);
    EXPECT_EQ(a.range_high.i, b.range_high.i);
    EXPECT_EQ(a.range_high.f, b.range_high.f);
    EXPECT_EQ(a.has_ui, b.has_ui);
    EXPECT_EQ(a.map_id, b.map_id);
    EXPECT_EQ(a.ctrl_type, b.ctrl_type);
    EXPECT_EQ(a.spin_type, b.spin_type);
    EXPECT_EQ(a.spin_scale, b.spin_scale);
    EXPECT_EQ(a.ctrl_IDs, b.ctrl_IDs);
    EXPECT_EQ(a.radio_vals, b.radio_vals);
    EXPECT_EQ(a.refno, b.refno);
    EXPECT_EQ(a.sub_texmap_no, b.sub_texmap_no);
    EXPECT_EQ(a.sub_mtl_no, b.sub_mtl_no);
    EXPECT_EQ(a.enabled, b.enabled);
    EXPECT_EQ(a.tooltip, b.tooltip);
    EXPECT_EQ(a.prompt, b.prompt);
    EXPECT_EQ(a.caption, b.caption);
    EXPECT_EQ(a.sclassID, b.sclassID);
    EXPECT_EQ(a.class_ID, b.class_ID);
    EXPECT_EQ(a.accessor, b.accessor);
    EXPECT_EQ(a.validator, b.validator);
    EXPECT_EQ(a.dim, b.dim);
}

TEST(CVariadicDescriptor, ReadsThePluginsTagListAsTheTemplatePathDoes) {
    ParamBlockDesc2& viaVarargs = nacreenParamBlockDesc;
    ParamBlockDesc2* viaTemplate = NacreenBlockDesc();
    ASSERT_NE(viaTemplate, nullptr);
    ASSERT_NE(&viaVarargs, viaTemplate) << "two descriptors, one from each constructor";
    // A tag list the C-variadic reader could not follow leaves the descriptor unregistered.
    EXPECT_EQ(viaVarargs.cd, GetNacreenDesc());
    EXPECT_EQ(GetNacreenDesc()->GetParamBlockDescByID(nacreen_params), &viaVarargs);

    EXPECT_EQ(viaVarargs.ID, viaTemplate->ID);
    EXPECT_EQ(Str(viaVarargs.int_name), Str(viaTemplate->int_name));
    EXPECT_EQ(viaVarargs.local_name, viaTemplate->local_name);
    EXPECT_EQ(viaVarargs.flags, viaTemplate->flags);
    EXPECT_EQ(viaVarargs.version, viaTemplate->version);
    EXPECT_EQ(viaVarargs.ref_no, viaTemplate->ref_no);
    ASSERT_EQ(viaVarargs.NumMapSpecs(), viaTemplate->NumMapSpecs());
    for (int i = 0; i < viaVarargs.NumMapSpecs(); ++i) {
        SCOPED_TRACE("map " + std::to_string(i));
        ExpectSameMap(viaVarargs.GetMapSpecByIndex(i), viaTemplate->GetMapSpecByIndex(i));
    }
    ASSERT_EQ(viaVarargs.Count(), 11);
    ASSERT_EQ(viaVarargs.Count(), viaTemplate->Count());
    for (int i = 0; i < viaVarargs.Count(); ++i) {
        SCOPED_TRACE("parameter " + std::to_string(i));
        ExpectSameParam(viaVarargs.paramdefs[i], viaTemplate->paramdefs[i]);
    }
}

} // namespace
} // namespace nacreen_test
