// Threads starting and ending while Nacreen.dlt is loaded. The plug-in asks Windows to spare it
// the per-thread notifications, but Windows refuses that for a module with static TLS, which the
// MinGW runtime always adds; so the contract tested is the one that holds either way: the plug-in
// does nothing when a thread attaches or detaches.
#include "LoadedNacreenTest.h"

#include <string>
#include <thread>

namespace nacreen_windows {
namespace {

using ThreadNotifications = LoadedNacreenTest;

TEST_F(ThreadNotifications, AThreadStartingAndEndingChangesNothingInThePlugin) {
    ClassDesc* desc = Descriptor();
    ASSERT_NE(desc, nullptr);
    const HINSTANCE instance = desc->HInstance();
    // Leave a text in the shared string buffer that no attach-time lookup would load.
    const MCHAR* buffer = desc->Category();
    ASSERT_NE(buffer, nullptr);

    ClassDesc* seenByThread = nullptr;
    std::thread([&] { seenByThread = exports->libClassDesc(0); }).join();
    std::thread([] {}).join();

    EXPECT_EQ(seenByThread, desc);
    EXPECT_EQ(std::wstring(buffer), L"Standard");
    EXPECT_EQ(desc->HInstance(), instance);
    EXPECT_EQ(exports->libClassDesc(0), desc);
    EXPECT_NE(exports->libDescription(), nullptr);
}

TEST_F(ThreadNotifications, NativeThreadsLeaveTheModuleHandleInPlace) {
    ClassDesc* desc = Descriptor();
    ASSERT_NE(desc, nullptr);
    const HANDLE thread = CreateThread(
        nullptr, 0, [](LPVOID) -> DWORD { return 0; }, nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    CloseHandle(thread);
    EXPECT_EQ(desc->HInstance(), module);
    const MCHAR* description = exports->libDescription();
    ASSERT_NE(description, nullptr);
    EXPECT_EQ(std::wstring(description), L"Nacreen coating Texmap.");
}

} // namespace
} // namespace nacreen_windows
