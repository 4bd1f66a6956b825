// On Linux the stand-in's ShellExecuteW opens nothing: it records each call here so that tests can
// check what the plug-in asked the shell to do.
#pragma once

#include "HostAccess.h"

namespace maxhost {

// hwnd, operation, file, parameters, directory (null ones stay distinguishable from empty
// ones) and showCommand of one call.
using ShellExecuteCall = MaxStandin::HostAccess::ShellExecuteCall;

// A copy of the calls recorded so far, oldest first; and forgetting them.
using MaxStandin::HostAccess::ClearShellExecuteLog;
using MaxStandin::HostAccess::ShellExecuteLog;

} // namespace maxhost
