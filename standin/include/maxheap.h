// Every SDK-derived object is allocated and freed through these operators, so that the host owns
// one heap. The allocating forms are noexcept: a failed allocation yields null, and a
// new-expression then skips the constructor and yields null as well.
#pragma once

#include <cstddef>
#include <new>

#include "coreexp.h"

class UtilExport MaxHeapOperators {
public:
    static void* operator new(std::size_t size) noexcept;
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void* operator new[](std::size_t size) noexcept;
    static void* operator new[](std::size_t size, const std::nothrow_t&) noexcept;
    static void* operator new(std::size_t size, const char* filename, int line) noexcept;
    static void* operator new(std::size_t, void* placement) noexcept { return placement; }

    static void operator delete(void* ptr) noexcept;
    static void operator delete(void* ptr, const std::nothrow_t&) noexcept;
    static void operator delete[](void* ptr) noexcept;
    static void operator delete[](void* ptr, const std::nothrow_t&) noexcept;
    static void operator delete(void* ptr, const char* filename, int line) noexcept;
    static void operator delete(void*, void*) noexcept {}
};
