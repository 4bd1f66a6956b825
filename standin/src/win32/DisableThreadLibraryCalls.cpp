#if !defined(_WIN32)

#include <windows.h>

#include "maxhost/ModuleResources.h"
#include "maxhost/ThreadLibraryCallsLog.h"

#include <mutex>

namespace {

std::mutex& LogMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<maxhost::DisableThreadLibraryCallsCall>& Log() {
    static std::vector<maxhost::DisableThreadLibraryCallsCall> log;
    return log;
}

} // namespace

namespace maxhost {

std::vector<DisableThreadLibraryCallsCall> DisableThreadLibraryCallsLog() {
    std::lock_guard<std::mutex> lock(LogMutex());
    return Log();
}

void ClearDisableThreadLibraryCallsLog() {
    std::lock_guard<std::mutex> lock(LogMutex());
    Log().clear();
}

} // namespace maxhost

// As on Windows, the call succeeds for the handle of a loaded module and fails for anything else.
BOOL DisableThreadLibraryCalls(HMODULE hLibModule) {
    const BOOL result = maxhost::IsModuleHandle(hLibModule) ? TRUE : FALSE;
    std::lock_guard<std::mutex> lock(LogMutex());
    Log().push_back({hLibModule, result});
    return result;
}

#endif
