// The host's view of the resources Linux modules register with the stand-in SDK.
#if !defined(_WIN32)

#include "maxhost/ModuleResources.h"

namespace maxhost {

HINSTANCE ModuleHandleFromAddress(const void* address) {
    return MaxStandin::HostAccess::ModuleHandleFromAddress(address);
}

bool IsModuleHandle(HINSTANCE module) {
    return MaxStandin::HostAccess::IsModuleHandle(module);
}

bool HasModuleResources(HINSTANCE module) {
    return MaxStandin::HostAccess::HasModuleResources(module);
}

std::string ModuleResourceError(HINSTANCE module) {
    return MaxStandin::HostAccess::ModuleResourceError(module);
}

std::optional<winres::ResEntry> FindModuleResource(HINSTANCE module, const winres::ResName& type,
                                                   const winres::ResName& name,
                                                   unsigned short languageId) {
    return MaxStandin::HostAccess::FindModuleResource(module, type, name, languageId);
}

bool FindModuleString(HINSTANCE module, unsigned int id, std::u16string& text) {
    return MaxStandin::HostAccess::FindModuleString(module, id, text);
}

} // namespace maxhost

#endif
