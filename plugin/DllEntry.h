// What the library's entry point records for the rest of the plug-in: the module handle, against
// which resources (string table, rollout template) resolve, and the strings of its string table.
#pragma once

#include <max.h>

// Null until the library is attached.
HINSTANCE GetModuleInstance();

// Loads string `id` into one buffer shared by the whole library and returns it; null before the
// library is attached and for a missing or empty string. Every call overwrites the text that the
// previous one returned, so callers copy it before the next lookup.
const MCHAR* GetResourceString(int id);

// The same string as an owned copy, empty where GetResourceString gives null.
MSTR GetResourceText(int id);
