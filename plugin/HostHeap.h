// Objects handed to the host live on the host's heap and are freed by it through DeleteThis.
#pragma once

#include <new>
#include <utility>

// Allocates a T with its own (host heap) operator new and constructs it there. The nothrow form
// is used because the plain one throws std::bad_alloc, which must not escape Create or Clone
// into the host: when the heap has no storage this yields null without running the constructor.
// The storage comes from a call rather than a new-expression so that the null test holds
// whether or not the SDK declares the operator noexcept.
template <class T, class... Args> T* NewOnHostHeap(Args&&... args) {
    void* storage = T::operator new(sizeof(T), std::nothrow);
    if (!storage) {
        return nullptr;
    }
    try {
        return ::new (storage) T(std::forward<Args>(args)...);
    } catch (...) {
        // As a new-expression would: the storage goes back before the exception moves on.
        T::operator delete(storage);
        throw;
    }
}
