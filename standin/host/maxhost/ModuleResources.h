// The compiled resources of Linux modules. standin_add_resources() embeds a module's .res file and
// registers it at load time; a module is found by its HINSTANCE, which on Linux is the module's
// base address (the dli_fbase that dladdr reports for any address inside it).
#pragma once

#include "ResourceData.h"

#include "HostExport.h"
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

#if defined(__GNUC__)
#define STANDIN_RESOURCES_API extern "C" __attribute__((visibility("default")))
#else
#define STANDIN_RESOURCES_API extern "C"
#endif

// Called by the code that standin_add_resources() generates into each module: `anchor` is any
// address inside the module, `data` its .res bytes, which live as long as the module does.
STANDIN_RESOURCES_API void
StandinRegisterModuleResources(const void* anchor, const unsigned char* data, std::size_t size);
STANDIN_RESOURCES_API void StandinUnregisterModuleResources(const void* anchor);

namespace maxhost {

// The HINSTANCE of the module that contains `address`, or null when no module does.
MAXHOST_API HINSTANCE ModuleHandleFromAddress(const void* address);

// True when `module` is the base address of a module loaded in this process.
MAXHOST_API bool IsModuleHandle(HINSTANCE module);

MAXHOST_API bool HasModuleResources(HINSTANCE module);

// Why the module's embedded .res could not be read; empty when it could (or when there is none).
MAXHOST_API std::string ModuleResourceError(HINSTANCE module);

// A resource of a module, chosen by language as FindResEntry does. The entry's data stays valid
// until the module is unloaded.
MAXHOST_API std::optional<res::ResEntry>
FindModuleResource(HINSTANCE module, const res::ResName& type, const res::ResName& name,
                   unsigned short languageId = res::kLangEnglishUS);

// String `id` of the module's string table as stored (UTF-16). False when the module or the
// string's block of 16 does not exist; within a block, an id that the script left out reads as
// an empty string, as in the compiled table.
MAXHOST_API bool FindModuleString(HINSTANCE module, unsigned int id, std::u16string& text);

} // namespace maxhost
