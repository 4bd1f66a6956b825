// The compiled resources of Linux modules. standin_add_resources() embeds a module's .res file and
// registers it at load time; a module is found by its HINSTANCE, which on Linux is the module's
// base address (the dli_fbase that dladdr reports for any address inside it).
#pragma once

#include "ResourceData.h"

// Declares StandinRegisterModuleResources and StandinUnregisterModuleResources, which the code
// that standin_add_resources() generates calls when a module is loaded and unloaded.
#include "HostAccess.h"
#include "HostExport.h"
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

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
MAXHOST_API std::optional<winres::ResEntry>
FindModuleResource(HINSTANCE module, const winres::ResName& type, const winres::ResName& name,
                   unsigned short languageId = winres::kLangEnglishUS);

// String `id` of the module's string table as stored (UTF-16). False when the module or the
// string's block of 16 does not exist; within a block, an id that the script left out reads as
// an empty string, as in the compiled table.
MAXHOST_API bool FindModuleString(HINSTANCE module, unsigned int id, std::u16string& text);

} // namespace maxhost
