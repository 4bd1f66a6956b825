// Records the calls of the stand-in's DisableThreadLibraryCalls for tests. The stand-in starts no
// threads for plug-ins, so the call changes nothing else; it succeeds for a loaded module's handle.
#pragma once

#include <coreexp.h>
#include <windows.h>

#include <vector>

namespace maxhost {

struct DisableThreadLibraryCallsCall {
    HMODULE module = nullptr;
    BOOL result = FALSE;
};

MAX_STANDIN_EXPORT std::vector<DisableThreadLibraryCallsCall> DisableThreadLibraryCallsLog();
MAX_STANDIN_EXPORT void ClearDisableThreadLibraryCallsLog();

} // namespace maxhost
