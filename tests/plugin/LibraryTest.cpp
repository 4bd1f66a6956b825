// The library as the host discovers it: entry points, version stamp and string table.
#include "NacreenLibrary.h"
#include "NacreenStringTable.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace nacreen_test {
namespace {

std::wstring Text(const MCHAR* s) {
    return s ? std::wstring(s) : std::wstring(L"<null>");
}

TEST(Library, ReportsTheSdkVersionStampAndOneClass) {
    EXPECT_EQ(LibVersion(), 0x69784200u);
    EXPECT_EQ(LibNumberClasses(), 1);
    EXPECT_EQ(LibInitialize(), TRUE);
    EXPECT_EQ(LibShutdown(), TRUE);
    // Initialising again is allowed and changes nothing.
    EXPECT_EQ(LibInitialize(), TRUE);
}

TEST(Library, HandsOutOneStableDescriptorAtIndexZeroOnly) {
    ClassDesc* first = LibClassDesc(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(LibClassDesc(0), first);
    EXPECT_EQ(LibClassDesc(1), nullptr);
    EXPECT_EQ(LibClassDesc(-1), nullptr);
}

TEST(Library, DescribesItselfOnceAttached) {
    EXPECT_EQ(Text(LibDescription()), L"Nacreen coating Texmap.");
}

TEST(Library, ClassNameAndCategoryShareOneBuffer) {
    ClassDesc* desc = LibClassDesc(0);
    const MCHAR* name = desc->ClassName();
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(std::wstring(name), L"Nacreen");
    const MCHAR* category = desc->Category();
    EXPECT_EQ(category, name);
    // The first pointer now reads the later lookup's text.
    EXPECT_EQ(std::wstring(name), L"Standard");
    EXPECT_EQ(Text(LibDescription()), L"Nacreen coating Texmap.");
    EXPECT_EQ(std::wstring(category), L"Nacreen coating Texmap.");
}

std::wstring TableString(UINT id) {
    wchar_t buffer[256] = {};
    const int length = LoadStringW(NacreenInstance(), id, buffer, 256);
    return length > 0 ? std::wstring(buffer, static_cast<size_t>(length)) : std::wstring();
}

TEST(Library, StringTableHoldsIdsOneToSeventeen) {
    for (UINT id = 1; id <= 17; ++id) {
        EXPECT_EQ(TableString(id), kNacreenStrings[id]) << "string " << id;
    }
}

TEST(Library, StringTableHasNothingOutsideItsIds) {
    wchar_t buffer[256] = {};
    EXPECT_EQ(LoadStringW(NacreenInstance(), 0, buffer, 256), 0);
    EXPECT_EQ(LoadStringW(NacreenInstance(), 18, buffer, 256), 0);
}

} // namespace
} // namespace nacreen_test
