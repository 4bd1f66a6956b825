// The six entry points and the descriptor, called across the DLL boundary as 3ds Max calls them.
#include "LoadedNacreenTest.h"

#include "NacreenClassId.h"

#include <string>

namespace nacreen_windows {
namespace {

using EntryPoints = LoadedNacreenTest;

TEST_F(EntryPoints, AnswerAsTheHostExpects) {
    EXPECT_EQ(exports->libVersion(), 0x69784200u);
    EXPECT_EQ(exports->libNumberClasses(), 1);
    EXPECT_EQ(exports->libInitialize(), 1);
    EXPECT_EQ(exports->libShutdown(), 1);
    // The host may call them again, in any order.
    EXPECT_EQ(exports->libInitialize(), 1);
    EXPECT_EQ(exports->libVersion(), 0x69784200u);
}

TEST_F(EntryPoints, OneStableDescriptorAtIndexZeroAndNoOther) {
    ClassDesc* first = exports->libClassDesc(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(exports->libClassDesc(0), first);
    EXPECT_EQ(exports->libClassDesc(1), nullptr);
    EXPECT_EQ(exports->libClassDesc(-1), nullptr);
}

TEST_F(EntryPoints, DescriptionComesFromTheStringTable) {
    const MCHAR* description = exports->libDescription();
    ASSERT_NE(description, nullptr);
    EXPECT_EQ(std::wstring(description), L"Nacreen coating Texmap.");
}

TEST_F(EntryPoints, DescriptorNamesATextureMapClass) {
    ClassDesc* desc = Descriptor();
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(desc->ClassID(), NACREEN_CLASS_ID);
    EXPECT_EQ(desc->SuperClassID(), static_cast<SClass_ID>(0xC10));
    EXPECT_EQ(desc->IsPublic(), 1);
    EXPECT_EQ(std::wstring(desc->NonLocalizedClassName()), L"Nacreen");
    EXPECT_EQ(std::wstring(desc->InternalName()), L"Nacreen");
}

TEST_F(EntryPoints, ModuleHandleRecordedAtAttachIsTheModules) {
    ClassDesc* desc = Descriptor();
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(desc->HInstance(), module);
    EXPECT_EQ(GetModuleHandleW(kNacreenFileName), module);
}

} // namespace
} // namespace nacreen_windows
