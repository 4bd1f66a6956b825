// Test hooks on the host heap that MaxHeapOperators allocates from: counts, and a switch that
// makes the next allocations fail so that the failure paths can be exercised.
#pragma once

#include <cstdint>

#include "HostAccess.h"
#include "HostExport.h"

namespace maxhost {

// Successful allocations, non-null frees and failed allocations so far.
using HeapCounts = MaxStandin::HostAccess::HeapCounts;

MAXHOST_API HeapCounts GetHeapCounts();
// Objects allocated and not yet freed.
MAXHOST_API std::int64_t LiveHeapBlocks();
// The next `count` allocations (from any thread) fail: the nothrow forms of MaxHeapOperators'
// operator new yield null, the plain forms throw std::bad_alloc.
MAXHOST_API void FailNextHeapAllocations(int count = 1);
// Cancels allocations still set to fail.
MAXHOST_API void ClearHeapFailures();

} // namespace maxhost
