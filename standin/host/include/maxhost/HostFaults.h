// Plug-in faults the host notices: calls that 3ds Max would answer with a wrong value, a dead
// control or a crash much later. The stand-in SDK records each one (and writes it to stderr) and
// carries on as leniently as the real host would; test programs fail any test that leaves a
// fault behind, and the host's own tests take the faults they provoke on purpose. Broken
// parameter block descriptors are recorded in the same place; the loader takes those
// (DescriptorErrors.h), so TakeHostFaults never returns a FaultKind::Descriptor.
#pragma once

#include <cstddef>
#include <vector>

#include "HostAccess.h"
#include "HostExport.h"

namespace maxhost {

using FaultKind = MaxStandin::HostAccess::FaultKind;
using HostFault = MaxStandin::HostAccess::Fault;

// Returns the faults recorded since the last call, oldest first, and forgets them.
MAXHOST_API std::vector<HostFault> TakeHostFaults();
MAXHOST_API std::size_t HostFaultCount();

} // namespace maxhost
