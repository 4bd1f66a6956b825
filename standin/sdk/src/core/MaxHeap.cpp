// The heap behind MaxHeapOperators, with the counters and failure switch the host reads and sets.
// A failure, injected or real, throws from the plain forms and yields null from the others.
#include "maxheap.h"

#include <atomic>
#include <cstdlib>
#include <new>

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
    if (ShouldFail()) {
        failureCount.fetch_add(1, std::memory_order_relaxed);
        return nullptr;
    }
    void* p = std::malloc(size == 0 ? 1 : size);
    if (!p) {
        failureCount.fetch_add(1, std::memory_order_relaxed);
        return nullptr;
    }
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    return p;
}

void* AllocateOrThrow(std::size_t size) {
    void* p = Allocate(size);
    if (!p) {
        throw std::bad_alloc();
    }
    return p;
}

void Free(void* p) noexcept {
    if (!p) {
        return;
    }
    freeCount.fetch_add(1, std::memory_order_relaxed);
    std::free(p);
}

} // namespace

void* MaxHeapOperators::operator new(std::size_t size) {
    return AllocateOrThrow(size);
}
void* MaxHeapOperators::operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* MaxHeapOperators::operator new[](std::size_t size) {
    return AllocateOrThrow(size);
}
void* MaxHeapOperators::operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* MaxHeapOperators::operator new(std::size_t size, const char*, int) {
    return AllocateOrThrow(size);
}
void MaxHeapOperators::operator delete(void* ptr) noexcept {
    Free(ptr);
}
void MaxHeapOperators::operator delete(void* ptr, const std::nothrow_t&) noexcept {
    Free(ptr);
}
void MaxHeapOperators::operator delete[](void* ptr) noexcept {
    Free(ptr);
}
void MaxHeapOperators::operator delete[](void* ptr, const std::nothrow_t&) noexcept {
    Free(ptr);
}
void MaxHeapOperators::operator delete(void* ptr, const char*, int) noexcept {
    Free(ptr);
}

namespace MaxStandin {
namespace HostAccess {

HeapCounts GetHeapCounts() {
    HeapCounts counts;
    counts.allocations = allocationCount.load(std::memory_order_relaxed);
    counts.frees = freeCount.load(std::memory_order_relaxed);
    counts.failures = failureCount.load(std::memory_order_relaxed);
    return counts;
}

void FailNextHeapAllocations(int count) {
    pendingFailures.store(count < 0 ? 0 : count, std::memory_order_relaxed);
}

} // namespace HostAccess
} // namespace MaxStandin
