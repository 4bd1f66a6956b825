// Base of classes whose objects are never copied.
#pragma once

#include "maxheap.h"

namespace MaxSDK {
namespace Util {

class Noncopyable : public MaxHeapOperators {
protected:
    Noncopyable() = default;
    ~Noncopyable() = default;

private:
    Noncopyable(const Noncopyable&) = delete;
    Noncopyable& operator=(const Noncopyable&) = delete;
};

} // namespace Util
} // namespace MaxSDK
