// On Linux the stand-in's ShellExecuteW opens nothing: it records each call here so that tests can
// check what the plug-in asked the shell to do.
#pragma once

#include "HostExport.h"
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace maxhost {

struct ShellExecuteCall {
    HWND hwnd = nullptr;
    // Null string arguments stay distinguishable from empty ones.
    std::optional<std::wstring> operation;
    std::optional<std::wstring> file;
    std::optional<std::wstring> parameters;
    std::optional<std::wstring> directory;
    int showCommand = 0;
};

// A copy of the calls recorded so far, oldest first.
MAXHOST_API std::vector<ShellExecuteCall> ShellExecuteLog();
MAXHOST_API void ClearShellExecuteLog();

} // namespace maxhost
