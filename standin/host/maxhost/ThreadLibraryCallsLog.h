// Records the calls of the stand-in's DisableThreadLibraryCalls for tests. The stand-in starts no
// threads for plug-ins, so the call changes nothing else; it succeeds for a loaded module's handle.
#pragma once

#include "HostExport.h"
#include <windows.h>

#include <vector>

namespace maxhost {

struct DisableThreadLibraryCallsCall {
    HMODULE module = nullptr;
    BOOL result = FALSE;
};

MAXHOST_API std::vector<DisableThreadLibraryCallsCall> DisableThreadLibraryCallsLog();
MAXHOST_API void ClearDisableThreadLibraryCallsLog();

} // namespace maxhost
