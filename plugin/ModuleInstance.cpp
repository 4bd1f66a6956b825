#include "ModuleInstance.h"

namespace {
HINSTANCE moduleInstance = nullptr;
} // namespace

void SetModuleInstance(HINSTANCE instance) {
    moduleInstance = instance;
}

HINSTANCE GetModuleInstance() {
    return moduleInstance;
}
