// Records the calls of the stand-in's DisableThreadLibraryCalls for tests. The stand-in starts no
// threads for plug-ins, so the call changes nothing else; it succeeds for a loaded module's handle.
#pragma once

#include "HostAccess.h"
#include "HostExport.h"

#include <vector>

namespace maxhost {

// The module handle passed and the result given.
using DisableThreadLibraryCallsCall = MaxStandin::HostAccess::DisableThreadLibraryCallsCall;

MAXHOST_API std::vector<DisableThreadLibraryCallsCall> DisableThreadLibraryCallsLog();
MAXHOST_API void ClearDisableThreadLibraryCallsLog();

} // namespace maxhost
