// The heap behind MaxHeapOperators, with the counters and failure switch the host reads and sets.
// A failure, injected or real, throws from the plain forms and yields null from the others.
#include <atomic>
#include <cstdlib>

#include "HostAccess.h"

namespace {

std::atomic<std::uint64_t> allocationCount{0};
std::atomic<std::uint64_t> freeCount{0};
std::atomic<std::uint64_t> failureCount{0};
std::atomic<int> pendingFailures{0};

// Consumes one pending failure, if any, without letting the count go below zero.
bool ShouldFail() {
    int pending = pendingFailures.load(std::memory_order_relaxed);
    while (pending > 0) {
        if (pendingFailures.compare_exchange_weak(pending, pending - 1,
                                                  std::memory_order_relaxed)) {
            return true;
        }
    }
    return false;
}

void* Allocate(std::size_t size) noexcept {
    void* p = ShouldFail() ? nullptr : std::malloc(size == 0 ? 1 : size);
    (p ? allocationCount : failureCount).fetch_add(1, std::memory_order_relaxed);
    return p;
}

void Free(void* p) noexcept {
    if (p) {
        freeCount.fetch_add(1, std::memory_order_relaxed);
        std::free(p);
    }
}

} // namespace

void* MaxHeapOperators::operator new(std::size_t size) {
    void* p = Allocate(size);
    if (!p) {
        throw std::bad_alloc();
    }
    return p;
}
void* MaxHeapOperators::operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void MaxHeapOperators::operator delete(void* ptr) noexcept {
    Free(ptr);
}
void MaxHeapOperators::operator delete(void* ptr, const std::nothrow_t&) noexcept {
    Free(ptr);
}

maxhost::HeapCounts maxhost::GetHeapCounts() {
    HeapCounts counts;
    counts.allocations = allocationCount.load(std::memory_order_relaxed);
    counts.frees = freeCount.load(std::memory_order_relaxed);
    counts.failures = failureCount.load(std::memory_order_relaxed);
    return counts;
}

std::int64_t maxhost::LiveHeapBlocks() {
    const HeapCounts counts = GetHeapCounts();
    return static_cast<std::int64_t>(counts.allocations) - static_cast<std::int64_t>(counts.frees);
}

void maxhost::FailNextHeapAllocations(int count) {
    pendingFailures.store(count < 0 ? 0 : count, std::memory_order_relaxed);
}
