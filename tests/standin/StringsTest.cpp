// WStr, the SDK's wide string.
#include <gtest/gtest.h>

#include "strclass.h"

namespace {

TEST(WideStrings, BasicsAndNull) {
    WStr empty;
    EXPECT_TRUE(empty.isNull());
    EXPECT_EQ(empty.Length(), 0);
    WStr fromNull(static_cast<const wchar_t*>(nullptr));
    EXPECT_TRUE(fromNull.isNull()) << "a null pointer reads as the empty string";
    WStr name(_M("Nacreen"));
    EXPECT_EQ(name.Length(), 7);
    EXPECT_STREQ(name.data(), L"Nacreen");
    EXPECT_TRUE(name + WStr(_M("!")) == _M("Nacreen!"));
    name += _M(" map");
    EXPECT_TRUE(name == _M("Nacreen map"));
    EXPECT_TRUE(WStr(_M("a")) < WStr(_M("b")));
}

TEST(WideStrings, PrintfGrowsForLongTexts) {
    WStr s;
    EXPECT_EQ(s.printf(_M("%d-%ls"), 42, L"x"), 4);
    EXPECT_TRUE(s == _M("42-x"));
    const std::wstring longText(5000, L'q');
    s.printf(_M("[%ls]"), longText.c_str());
    EXPECT_EQ(s.Length(), 5002);
}

} // namespace
