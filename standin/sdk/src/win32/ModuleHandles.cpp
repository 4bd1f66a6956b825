#if !defined(_WIN32)

#include "HostAccess.h"

#include "ModuleResourceRegistry.h"

#include <dlfcn.h>

namespace MaxStandin {
namespace HostAccess {

HINSTANCE ModuleHandleFromAddress(const void* address) {
    Dl_info info{};
    if (!address || dladdr(address, &info) == 0 || !info.dli_fbase) {
        return nullptr;
    }
    return static_cast<HINSTANCE>(info.dli_fbase);
}

bool IsModuleHandle(HINSTANCE module) {
    return module && ModuleHandleFromAddress(module) == module;
}

bool HasModuleResources(HINSTANCE module) {
    return standin::ModuleResourceRegistry::Instance().Has(
        reinterpret_cast<std::uintptr_t>(module));
}

std::string ModuleResourceError(HINSTANCE module) {
    return standin::ModuleResourceRegistry::Instance().Error(
        reinterpret_cast<std::uintptr_t>(module));
}

std::optional<winres::ResEntry> FindModuleResource(HINSTANCE module, const winres::ResName& type,
                                                   const winres::ResName& name,
                                                   unsigned short languageId) {
    return standin::ModuleResourceRegistry::Instance().Find(
        reinterpret_cast<std::uintptr_t>(module), type, name, languageId);
}

bool FindModuleString(HINSTANCE module, unsigned int id, std::u16string& text) {
    return standin::ModuleResourceRegistry::Instance().FindString(
        reinterpret_cast<std::uintptr_t>(module), id, text);
}

} // namespace HostAccess
} // namespace MaxStandin

void StandinRegisterModuleResources(const void* anchor, const unsigned char* data,
                                    std::size_t size) {
    HINSTANCE module = MaxStandin::HostAccess::ModuleHandleFromAddress(anchor);
    if (!module) {
        return;
    }
    standin::ModuleResourceRegistry::Instance().Register(reinterpret_cast<std::uintptr_t>(module),
                                                         anchor, data, size);
}

void StandinUnregisterModuleResources(const void* anchor) {
    standin::ModuleResourceRegistry::Instance().Unregister(anchor);
}

#endif
