// The compiled string table read by Windows' own LoadStringW: directly on the module, and through
// the plug-in's lookups that the host reaches (the description and the descriptor's names).
#include "LoadedNacreenTest.h"
#include "NacreenStringTable.h"

#include <string>

namespace nacreen_windows {
namespace {

using nacreen_test::kNacreenStringIds;
using nacreen_test::kNacreenStrings;

using StringTable = LoadedNacreenTest;

TEST_F(StringTable, LoadStringWReadsExactlyTheTableForIdsZeroToEighteen) {
    for (UINT id = 0; id < kNacreenStringIds; ++id) {
        SCOPED_TRACE(id);
        wchar_t buffer[256] = {};
        const int length = LoadStringW(module, id, buffer, 256);
        if (!kNacreenStrings[id]) {
            EXPECT_EQ(length, 0);
            continue;
        }
        EXPECT_EQ(std::wstring(buffer, length > 0 ? length : 0), kNacreenStrings[id]);
    }
}

TEST_F(StringTable, IsInEnglishUnitedStates) {
    const WORD englishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    // Strings are stored in blocks of sixteen: ids 1-15 in block 1, 16 and 17 in block 2.
    for (WORD block : {1, 2}) {
        SCOPED_TRACE(block);
        EXPECT_NE(FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(block), englishUs), nullptr);
    }
}

TEST_F(StringTable, DescriptorNamesComeThroughOneSharedBuffer) {
    ClassDesc* desc = Descriptor();
    ASSERT_NE(desc, nullptr);
    const MCHAR* className = desc->ClassName();
    ASSERT_NE(className, nullptr);
    EXPECT_EQ(std::wstring(className), L"Nacreen");
    const MCHAR* category = desc->Category();
    ASSERT_NE(category, nullptr);
    EXPECT_EQ(category, className);
    EXPECT_EQ(std::wstring(className), L"Standard");
    EXPECT_EQ(exports->libDescription(), className);
    EXPECT_EQ(std::wstring(className), L"Nacreen coating Texmap.");
}

} // namespace
} // namespace nacreen_windows
