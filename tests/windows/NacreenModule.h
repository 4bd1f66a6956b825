// Nacreen.dlt as a Windows host sees it: loaded with LoadLibraryW, entry points found with
// GetProcAddress. The library stays loaded for the whole test program, as in 3ds Max.
#pragma once

#include <windows.h>

#include <max.h>

namespace nacreen_windows {

// The six entry points, looked up by name.
struct NacreenExports {
    const MCHAR* (*libDescription)() = nullptr;
    int (*libNumberClasses)() = nullptr;
    ClassDesc* (*libClassDesc)(int) = nullptr;
    ULONG (*libVersion)() = nullptr;
    int (*libInitialize)() = nullptr;
    int (*libShutdown)() = nullptr;
};

// The library's file name; the test program finds it beside itself.
inline constexpr const wchar_t* kNacreenFileName = L"Nacreen.dlt";

// The loaded library; the first call loads it. A test fails, not crashes, when it cannot load.
HMODULE NacreenModule();
const NacreenExports& Exports();

// GetProcAddress, typed. Going through void(*)() keeps the cast free of function-type warnings.
template <typename Function> Function ExportByName(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace nacreen_windows
