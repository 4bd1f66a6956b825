// The library's entry points: the Windows entry point and the six functions through which the
// host discovers Nacreen.dlt; and the module handle and string table they make available.
#include "DllEntry.h"

#include <plugapi.h>

#include "resources/resource.h"

#include "NacreenClassDesc.h"

// Marks the few symbols that the host looks up in Nacreen.dlt. On Windows the module definition
// file decides what is exported (with fixed ordinals); elsewhere everything is hidden by default
// and only these are made visible.
#if defined(_WIN32)
#define NACREEN_EXPORT
#else
#define NACREEN_EXPORT __attribute__((visibility("default")))
#endif

namespace {
HINSTANCE moduleInstance = nullptr;

constexpr int kResourceBufferLength = 256;
MCHAR resourceBuffer[kResourceBufferLength];
} // namespace

HINSTANCE GetModuleInstance() {
    return moduleInstance;
}

const MCHAR* GetResourceString(int id) {
    if (!moduleInstance) {
        return nullptr;
    }
    const int length =
        LoadStringW(moduleInstance, static_cast<UINT>(id), resourceBuffer, kResourceBufferLength);
    return length != 0 ? resourceBuffer : nullptr;
}

MSTR GetResourceText(int id) {
    const MCHAR* text = GetResourceString(id);
    return text ? MSTR(text) : MSTR();
}

extern "C" {

NACREEN_EXPORT BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) {
        moduleInstance = instance;
        // The library keeps no per-thread state, so it needs no thread notifications.
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

NACREEN_EXPORT const MCHAR* LibDescription() {
    return GetResourceString(IDS_LIB_DESCRIPTION);
}

NACREEN_EXPORT int LibNumberClasses() {
    return 1;
}

NACREEN_EXPORT ClassDesc* LibClassDesc(int i) {
    return i == 0 ? GetNacreenDesc() : nullptr;
}

NACREEN_EXPORT ULONG LibVersion() {
    return VERSION_3DSMAX;
}

NACREEN_EXPORT int LibInitialize() {
    return TRUE;
}

NACREEN_EXPORT int LibShutdown() {
    return TRUE;
}

} // extern "C"
