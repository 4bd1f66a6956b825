// The stand-in's ShellExecuteW records what it was asked to open instead of opening it.
#if !defined(_WIN32)

#include "maxhost/Host.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <cstdint>

namespace {

std::uintptr_t Result(HINSTANCE result) {
    return reinterpret_cast<std::uintptr_t>(result);
}

class ShellExecuteRecording : public ::testing::Test {
protected:
    void SetUp() override { maxhost::ClearShellExecuteLog(); }
    void TearDown() override { maxhost::ClearShellExecuteLog(); }
};

TEST_F(ShellExecuteRecording, RecordsEachCallAndReportsSuccess) {
    HWND owner = reinterpret_cast<HWND>(std::uintptr_t{0x1234});
    EXPECT_GT(Result(ShellExecuteW(owner, L"open", L"https://example.com/\u00E9", nullptr, nullptr,
                                   SW_SHOW)),
              32u);
    const int showNormal = 1; // SW_SHOWNORMAL: recorded as given
    EXPECT_GT(Result(ShellExecuteW(nullptr, nullptr, L"notes.txt", L"-n", L"C:\\", showNormal)),
              32u);

    const std::vector<maxhost::ShellExecuteCall> log = maxhost::ShellExecuteLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].hwnd, owner);
    EXPECT_EQ(log[0].operation, std::wstring(L"open"));
    EXPECT_EQ(log[0].file, std::wstring(L"https://example.com/\u00E9"));
    EXPECT_FALSE(log[0].parameters.has_value());
    EXPECT_FALSE(log[0].directory.has_value());
    EXPECT_EQ(log[0].showCommand, SW_SHOW);
    EXPECT_FALSE(log[1].operation.has_value());
    EXPECT_EQ(log[1].parameters, std::wstring(L"-n"));
    EXPECT_EQ(log[1].directory, std::wstring(L"C:\\"));
    EXPECT_EQ(log[1].showCommand, showNormal);
}

TEST_F(ShellExecuteRecording, NothingToOpenIsAFailureButStillRecorded) {
    EXPECT_LE(Result(ShellExecuteW(nullptr, L"open", nullptr, nullptr, nullptr, SW_SHOW)), 32u);
    EXPECT_LE(Result(ShellExecuteW(nullptr, L"open", L"", nullptr, nullptr, SW_SHOW)), 32u);
    const std::vector<maxhost::ShellExecuteCall> log = maxhost::ShellExecuteLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_FALSE(log[0].file.has_value());
    EXPECT_EQ(log[1].file, std::wstring());
}

TEST_F(ShellExecuteRecording, ClearingEmptiesTheLog) {
    ShellExecuteW(nullptr, L"open", L"a", nullptr, nullptr, SW_SHOW);
    maxhost::ClearShellExecuteLog();
    EXPECT_TRUE(maxhost::ShellExecuteLog().empty());
}

} // namespace

#endif
