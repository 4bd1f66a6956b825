// The Win32 calls the plug-in makes, for Linux builds: ShellExecuteW opens nothing and
// DisableThreadLibraryCalls changes nothing (the stand-in starts no threads for plug-ins); both
// record each call so that tests can check what the plug-in asked for.
#if !defined(_WIN32)

#include <shellapi.h>

#include <mutex>

#include "Standin.h"

namespace {

std::mutex logLock;
std::vector<maxhost::ShellExecuteCall> shellExecuteLog;
std::vector<maxhost::DisableThreadLibraryCallsCall> threadCallsLog;

std::optional<std::wstring> Copy(LPCWSTR text) {
    return text ? std::optional<std::wstring>(text) : std::nullopt;
}

} // namespace

std::vector<maxhost::ShellExecuteCall> maxhost::ShellExecuteLog() {
    std::lock_guard<std::mutex> lock(logLock);
    return shellExecuteLog;
}

void maxhost::ClearShellExecuteLog() {
    std::lock_guard<std::mutex> lock(logLock);
    shellExecuteLog.clear();
}

std::vector<maxhost::DisableThreadLibraryCallsCall> maxhost::DisableThreadLibraryCallsLog() {
    std::lock_guard<std::mutex> lock(logLock);
    return threadCallsLog;
}

void maxhost::ClearDisableThreadLibraryCallsLog() {
    std::lock_guard<std::mutex> lock(logLock);
    threadCallsLog.clear();
}

HINSTANCE ShellExecuteW(HWND hwnd, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR lpParameters,
                        LPCWSTR lpDirectory, int nShowCmd) {
    {
        std::lock_guard<std::mutex> lock(logLock);
        shellExecuteLog.push_back({hwnd, Copy(lpOperation), Copy(lpFile), Copy(lpParameters),
                                   Copy(lpDirectory), nShowCmd});
    }
    // Values above 32 mean success; with nothing to open, Windows reports ERROR_FILE_NOT_FOUND.
    const bool nothingToOpen = !lpFile || *lpFile == L'\0';
    return reinterpret_cast<HINSTANCE>(std::uintptr_t(nothingToOpen ? 2 : 42));
}

// As on Windows, the call succeeds for the handle of a loaded module and fails for anything else.
BOOL DisableThreadLibraryCalls(HMODULE hLibModule) {
    const BOOL result =
        hLibModule && maxhost::ModuleHandleFromAddress(hLibModule) == hLibModule ? TRUE : FALSE;
    std::lock_guard<std::mutex> lock(logLock);
    threadCallsLog.push_back({hLibModule, result});
    return result;
}

#endif
