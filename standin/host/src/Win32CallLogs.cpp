// The host's view of the Win32 calls the stand-in SDK answers without doing anything on Linux.
#if !defined(_WIN32)

#include "maxhost/ShellExecuteLog.h"
#include "maxhost/ThreadLibraryCallsLog.h"

namespace maxhost {

std::vector<ShellExecuteCall> ShellExecuteLog() {
    return MaxStandin::HostAccess::ShellExecuteLog();
}

void ClearShellExecuteLog() {
    MaxStandin::HostAccess::ClearShellExecuteLog();
}

std::vector<DisableThreadLibraryCallsCall> DisableThreadLibraryCallsLog() {
    return MaxStandin::HostAccess::DisableThreadLibraryCallsLog();
}

void ClearDisableThreadLibraryCallsLog() {
    MaxStandin::HostAccess::ClearDisableThreadLibraryCallsLog();
}

} // namespace maxhost

#endif
