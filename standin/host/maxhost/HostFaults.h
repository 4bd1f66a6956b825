// Plug-in faults the host notices: calls that 3ds Max would answer with a wrong value, a dead
// control or a crash much later. The host records each one here (and writes it to stderr) and
// carries on as leniently as the real host would; test programs fail any test that leaves a
// fault behind, and the host's own tests take the faults they provoke on purpose.
#pragma once

#include <string>
#include <vector>

#include "HostExport.h"

namespace maxhost {

enum class FaultKind {
    ParamAccess,      // unknown parameter, wrong value type or a table index on a non-table
    RolloutBinding,   // a bound control missing from the dialog template or of the wrong class
    CloneWithoutBase, // Clone returned a copy without calling BaseClone for it
    ReferenceSlot,    // GetReference(i) differs from what the reference system installed in slot i
};

struct HostFault {
    FaultKind kind;
    std::string message;
};

// Returns the faults recorded since the last call, oldest first, and forgets them.
MAXHOST_API std::vector<HostFault> TakeHostFaults();
MAXHOST_API std::size_t HostFaultCount();

// Records a fault; thread-safe, so that render threads may report too.
MAXHOST_API void ReportHostFault(FaultKind kind, const std::string& message);

} // namespace maxhost
