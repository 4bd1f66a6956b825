// Problems found in parameter block descriptors while a library was being initialised: an
// unknown or refused tag, a missing p_end, a value of the wrong type. They are recorded with the
// other plug-in faults (HostFaults.h) and printed to stderr; the loader takes them after static
// initialisation and refuses the library when there are any.
#pragma once

#include <string>
#include <vector>

#include "HostExport.h"

namespace maxhost {

// Returns the messages recorded since the last call and forgets them.
MAXHOST_API std::vector<std::string> TakeDescriptorErrors();

} // namespace maxhost
