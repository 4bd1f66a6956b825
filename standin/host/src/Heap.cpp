// The host's hooks on the heap behind MaxHeapOperators, which the stand-in SDK keeps.
#include "maxhost/Heap.h"

namespace maxhost {

HeapCounts GetHeapCounts() {
    return MaxStandin::HostAccess::GetHeapCounts();
}

std::int64_t LiveHeapBlocks() {
    const HeapCounts counts = GetHeapCounts();
    return static_cast<std::int64_t>(counts.allocations) - static_cast<std::int64_t>(counts.frees);
}

void FailNextHeapAllocations(int count) {
    MaxStandin::HostAccess::FailNextHeapAllocations(count);
}

void ClearHeapFailures() {
    MaxStandin::HostAccess::FailNextHeapAllocations(0);
}

} // namespace maxhost
