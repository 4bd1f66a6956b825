#if !defined(_WIN32)

#include <shellapi.h>

#include "HostAccess.h"

#include <cstdint>
#include <mutex>

namespace {

// Results of ShellExecuteW: values above 32 mean success.
constexpr std::uintptr_t kSucceeded = 42;
constexpr std::uintptr_t kFileNotFound = 2; // ERROR_FILE_NOT_FOUND

std::mutex& LogMutex() {
    static std::mutex mutex;
    return mutex;
}

using MaxStandin::HostAccess::ShellExecuteCall;

std::vector<ShellExecuteCall>& Log() {
    static std::vector<ShellExecuteCall> log;
    return log;
}

std::optional<std::wstring> Copy(LPCWSTR text) {
    return text ? std::optional<std::wstring>(text) : std::nullopt;
}

} // namespace

namespace MaxStandin {
namespace HostAccess {

std::vector<ShellExecuteCall> ShellExecuteLog() {
    std::lock_guard<std::mutex> lock(LogMutex());
    return Log();
}

void ClearShellExecuteLog() {
    std::lock_guard<std::mutex> lock(LogMutex());
    Log().clear();
}

} // namespace HostAccess
} // namespace MaxStandin

HINSTANCE ShellExecuteW(HWND hwnd, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR lpParameters,
                        LPCWSTR lpDirectory, int nShowCmd) {
    ShellExecuteCall call{
        hwnd, Copy(lpOperation), Copy(lpFile), Copy(lpParameters), Copy(lpDirectory), nShowCmd};
    {
        std::lock_guard<std::mutex> lock(LogMutex());
        Log().push_back(call);
    }
    // With nothing to open, Windows reports that the file was not found.
    const bool nothingToOpen = !lpFile || *lpFile == L'\0';
    return reinterpret_cast<HINSTANCE>(nothingToOpen ? kFileNotFound : kSucceeded);
}

#endif
