#if !defined(_WIN32)

#include <windows.h>

#include "HostAccess.h"

#include <mutex>

namespace {

std::mutex& LogMutex() {
    static std::mutex mutex;
    return mutex;
}

using MaxStandin::HostAccess::DisableThreadLibraryCallsCall;

std::vector<DisableThreadLibraryCallsCall>& Log() {
    static std::vector<DisableThreadLibraryCallsCall> log;
    return log;
}

} // namespace

namespace MaxStandin {
namespace HostAccess {

std::vector<DisableThreadLibraryCallsCall> DisableThreadLibraryCallsLog() {
    std::lock_guard<std::mutex> lock(LogMutex());
    return Log();
}

void ClearDisableThreadLibraryCallsLog() {
    std::lock_guard<std::mutex> lock(LogMutex());
    Log().clear();
}

} // namespace HostAccess
} // namespace MaxStandin

// As on Windows, the call succeeds for the handle of a loaded module and fails for anything else.
BOOL DisableThreadLibraryCalls(HMODULE hLibModule) {
    const BOOL result = MaxStandin::HostAccess::IsModuleHandle(hLibModule) ? TRUE : FALSE;
    std::lock_guard<std::mutex> lock(LogMutex());
    Log().push_back({hLibModule, result});
    return result;
}

#endif
