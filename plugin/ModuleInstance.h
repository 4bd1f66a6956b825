// The module handle of Nacreen.dlt, recorded when the library is attached. Resource lookups
// (string table, rollout template) resolve against it.
#pragma once

#include <windows.h>

void SetModuleInstance(HINSTANCE instance);
HINSTANCE GetModuleInstance();
