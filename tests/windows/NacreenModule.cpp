#include "NacreenModule.h"

namespace nacreen_windows {

HMODULE NacreenModule() {
    static const HMODULE module = LoadLibraryW(kNacreenFileName);
    return module;
}

const NacreenExports& Exports() {
    static const NacreenExports exports = [] {
        const HMODULE module = NacreenModule();
        NacreenExports found;
        if (!module) {
            return found;
        }
        found.libDescription = ExportByName<const MCHAR* (*)()>(module, "LibDescription");
        found.libNumberClasses = ExportByName<int (*)()>(module, "LibNumberClasses");
        found.libClassDesc = ExportByName<ClassDesc* (*)(int)>(module, "LibClassDesc");
        found.libVersion = ExportByName<ULONG (*)()>(module, "LibVersion");
        found.libInitialize = ExportByName<int (*)()>(module, "LibInitialize");
        found.libShutdown = ExportByName<int (*)()>(module, "LibShutdown");
        return found;
    }();
    return exports;
}

} // namespace nacreen_windows
