// Objects handed to the host live on the host's heap and are freed by it through DeleteThis.
#pragma once

#include <new>
#include <utility>

// Allocates a T with its own (host heap) operator new and constructs it there; yields null,
// without running the constructor, when the host heap has no storage to give.
template <class T, class... Args> T* NewOnHostHeap(Args&&... args) {
    void* storage = T::operator new(sizeof(T));
    if (!storage) {
        return nullptr;
    }
    return ::new (storage) T(std::forward<Args>(args)...);
}
