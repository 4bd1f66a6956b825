// NewOnHostHeap: how the plug-in puts the objects it hands to the host on the host's heap.
#include "HostHeap.h"

#include <max.h>
#include <maxhost/Host.h>

#include <gtest/gtest.h>

#include <stdexcept>

namespace nacreen_test {
namespace {

class HeapObject : public MaxHeapOperators {
public:
    explicit HeapObject(bool refuse) {
        if (refuse) {
            throw std::runtime_error("refused");
        }
        ++constructed;
    }
    static inline int constructed = 0;
};

TEST(NewOnHostHeap, ConstructsOnTheHostHeap) {
    const std::int64_t live = maxhost::LiveHeapBlocks();
    const int constructed = HeapObject::constructed;
    HeapObject* object = NewOnHostHeap<HeapObject>(false);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(HeapObject::constructed, constructed + 1);
    EXPECT_EQ(maxhost::LiveHeapBlocks(), live + 1);
    delete object;
    EXPECT_EQ(maxhost::LiveHeapBlocks(), live);
}

TEST(NewOnHostHeap, YieldsNullWithoutConstructingWhenTheHeapHasNoStorage) {
    const int constructed = HeapObject::constructed;
    maxhost::FailNextHeapAllocations(1);
    HeapObject* object = nullptr;
    EXPECT_NO_THROW(object = NewOnHostHeap<HeapObject>(false));
    maxhost::ClearHeapFailures();
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(HeapObject::constructed, constructed);
}

TEST(NewOnHostHeap, GivesTheStorageBackWhenTheConstructorThrows) {
    const std::int64_t live = maxhost::LiveHeapBlocks();
    EXPECT_THROW(NewOnHostHeap<HeapObject>(true), std::runtime_error);
    EXPECT_EQ(maxhost::LiveHeapBlocks(), live);
}

} // namespace
} // namespace nacreen_test
