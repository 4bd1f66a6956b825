// What an MSVC link takes from the static C runtime (vcruntime's start-up objects) and from the C++
// standard library's DLL, for links made with the clang-cl-msvc toolchain. Those links are
// inspected, never loaded (there is no C runtime start-up), so these are the plainest definitions
// that keep each symbol's meaning; the thread-safe-static helpers are single-threaded.
// None of these may be a symbol of a library the program links: the real-SDK check tests that.
#include <climits>
#include <cstdint>
#include <memory>
#include <new>

extern "C" {

// Marks a program that uses floating point; the linker only needs it to exist.
int _fltused = 0x9875;

// /GS: the cookie that guards stack frames, and the check at function exit.
std::uintptr_t __security_cookie = 0x00002B992DDFA232;
void __cdecl __security_check_cookie(std::uintptr_t cookie) {
    if (cookie != __security_cookie) {
        __builtin_trap();
    }
}

// Thread-safe function-local statics. A guard is 0 before its initialisation, -1 during it and
// the epoch of its completion after; a thread re-enters the header only while the guard is newer
// than the last epoch it saw.
unsigned long _tls_index = 0;
__declspec(thread) int _Init_thread_epoch = INT_MIN;
static int initThreadGlobalEpoch = INT_MIN;

void __cdecl _Init_thread_header(int* guard) {
    if (*guard == 0) {
        *guard = -1;
    } else {
        _Init_thread_epoch = initThreadGlobalEpoch;
    }
}

void __cdecl _Init_thread_footer(int* guard) {
    *guard = ++initThreadGlobalEpoch;
    _Init_thread_epoch = initThreadGlobalEpoch;
}

void __cdecl _Init_thread_abort(int* guard) {
    *guard = 0;
}

// Exit-time destructors register here; without a C runtime start-up nothing would run them.
int __cdecl atexit(void(__cdecl*)(void)) {
    return 0;
}

// The virtual function table of the type_info records that RTTI refers to. Its one entry is the
// deleting destructor, which nothing calls on a record the compiler made.
extern const void* const typeInfoVftable[1] __asm__("??_7type_info@@6B@") = {nullptr};

} // extern "C"

// From libc++'s library: std::nothrow, and the one out-of-line step of shared_ptr's counting.
namespace std {
const nothrow_t nothrow{};

void __shared_weak_count::__release_weak() noexcept {
    // The last weak owner (the count is one less than the number of owners) frees the block.
    if (__atomic_add_fetch(&__shared_weak_owners_, -1L, __ATOMIC_ACQ_REL) == -1) {
        __on_zero_shared_weak();
    }
}
} // namespace std
