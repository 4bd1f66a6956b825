// Records the calls of the stand-in's DisableThreadLibraryCalls for tests. The stand-in starts no
// threads for plug-ins, so the call changes nothing else; it succeeds for a loaded module's handle.
#pragma once

#include "HostAccess.h"

namespace maxhost {

// The module handle passed and the result given.
using DisableThreadLibraryCallsCall = MaxStandin::HostAccess::DisableThreadLibraryCallsCall;

using MaxStandin::HostAccess::ClearDisableThreadLibraryCallsLog;
using MaxStandin::HostAccess::DisableThreadLibraryCallsLog;

} // namespace maxhost
