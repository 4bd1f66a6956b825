// DisableThreadLibraryCalls succeeds for the handle of a loaded module, as on Windows, and
// records each call.
#if !defined(_WIN32)

#include "maxhost/Host.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

class DisableThreadLibraryCallsRecording : public ::testing::Test {
protected:
    void SetUp() override { maxhost::ClearDisableThreadLibraryCallsLog(); }
    void TearDown() override { maxhost::ClearDisableThreadLibraryCallsLog(); }
};

TEST_F(DisableThreadLibraryCallsRecording, SucceedsOnlyForAModuleHandle) {
    HINSTANCE standin =
        maxhost::ModuleHandleFromAddress(reinterpret_cast<const void*>(&LoadStringW));
    ASSERT_NE(standin, nullptr);
    HINSTANCE inside = reinterpret_cast<HINSTANCE>(reinterpret_cast<char*>(standin) + 64);
    int local = 0;

    EXPECT_EQ(DisableThreadLibraryCalls(standin), TRUE);
    EXPECT_EQ(DisableThreadLibraryCalls(nullptr), FALSE);
    EXPECT_EQ(DisableThreadLibraryCalls(inside), FALSE);
    EXPECT_EQ(DisableThreadLibraryCalls(reinterpret_cast<HMODULE>(&local)), FALSE);

    const auto log = maxhost::DisableThreadLibraryCallsLog();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].module, standin);
    EXPECT_EQ(log[0].result, TRUE);
    EXPECT_EQ(log[1].module, nullptr);
    EXPECT_EQ(log[1].result, FALSE);
    EXPECT_EQ(log[2].module, inside);
}

} // namespace

#endif
