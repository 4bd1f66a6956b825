// The host heap: counted allocations and allocations told to fail.
#include <gtest/gtest.h>

#include <new>

#include "StandinTestObjects.h"
#include "maxhost/Host.h"

namespace standin_test {
namespace {

TEST(HostHeap, SdkObjectsAreCountedAndFreed) {
    const std::int64_t live = maxhost::LiveHeapBlocks();
    const auto before = maxhost::GetHeapCounts();
    Node* node = new Node(0);
    EXPECT_EQ(maxhost::GetHeapCounts().allocations, before.allocations + 1);
    node->MaybeAutoDelete();
    EXPECT_EQ(maxhost::LiveHeapBlocks(), live);
}

TEST(HostHeap, AFailedNothrowAllocationYieldsNullAndSkipsTheConstructor) {
    const int alive = Node::alive;
    maxhost::FailNextHeapAllocations(1);
    Node* node = new (std::nothrow) Node(0);
    EXPECT_EQ(node, nullptr);
    EXPECT_EQ(Node::alive, alive) << "no constructor ran";
    Node* next = new (std::nothrow) Node(0);
    ASSERT_NE(next, nullptr) << "only the next allocation fails";
    next->MaybeAutoDelete();
}

TEST(HostHeap, AFailedPlainAllocationThrowsAndSkipsTheConstructor) {
    const int alive = Node::alive;
    const std::int64_t live = maxhost::LiveHeapBlocks();
    maxhost::FailNextHeapAllocations(1);
    EXPECT_THROW(new Node(0), std::bad_alloc);
    EXPECT_EQ(Node::alive, alive) << "no constructor ran";
    EXPECT_EQ(maxhost::LiveHeapBlocks(), live);
}

TEST(HostHeap, FailuresCanBeCancelled) {
    maxhost::FailNextHeapAllocations(5);
    maxhost::ClearHeapFailures();
    Node* node = new Node(0);
    ASSERT_NE(node, nullptr);
    node->MaybeAutoDelete();
}

TEST(HostHeap, AMapCreatedWhileItsOutputCannotBeAllocatedHasNoOutput) {
    // The map itself and its block succeed; the default output object fails.
    maxhost::FailNextHeapAllocations(0);
    TestMap* map = new TestMap();
    ASSERT_NE(map, nullptr);
    map->DeleteReference(2);
    EXPECT_EQ(map->texout, nullptr);
    maxhost::FailNextHeapAllocations(1);
    map->Reset();
    EXPECT_EQ(map->texout, nullptr);
    map->Reset();
    EXPECT_NE(map->texout, nullptr);
    map->DeleteMe();
}

} // namespace
} // namespace standin_test
