// Every SDK-derived object is allocated and freed through these operators, so that the host owns
// one heap. As with the global operators, the plain forms throw std::bad_alloc when the heap has
// no storage to give; only the forms that take std::nothrow yield null instead, and a
// new-expression that uses them then skips the constructor and yields null as well.
#pragma once

#include <cstddef>
#include <new>

#include "coreexp.h"

class UtilExport MaxHeapOperators {
public:
    static void* operator new(std::size_t size);
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void* operator new[](std::size_t size);
    static void* operator new[](std::size_t size, const std::nothrow_t&) noexcept;
    static void* operator new(std::size_t size, const char* filename, int line);
    static void* operator new(std::size_t, void* placement) noexcept { return placement; }

    static void operator delete(void* ptr) noexcept;
    static void operator delete(void* ptr, const std::nothrow_t&) noexcept;
    static void operator delete[](void* ptr) noexcept;
    static void operator delete[](void* ptr, const std::nothrow_t&) noexcept;
    static void operator delete(void* ptr, const char* filename, int line) noexcept;
    static void operator delete(void*, void*) noexcept {}
};
