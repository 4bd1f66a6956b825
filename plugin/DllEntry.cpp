// The library's entry points: the Windows entry point and the six functions through which the
// host discovers Nacreen.dlt.
#include <max.h>
#include <plugapi.h>

#include "resources/resource.h"

#include "ModuleInstance.h"
#include "NacreenClassDesc.h"
#include "PluginExport.h"
#include "ResourceString.h"

extern "C" {

NACREEN_EXPORT BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) {
        SetModuleInstance(instance);
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
