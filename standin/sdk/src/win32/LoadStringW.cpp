#if !defined(_WIN32)

#include <windows.h>

#include "winres/Utf16.h"
#include "ModuleResourceRegistry.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

std::uintptr_t BaseOf(HINSTANCE instance) {
    return reinterpret_cast<std::uintptr_t>(instance);
}

// With no capacity, Windows stores a read-only pointer to the string in the buffer instead of a
// copy and returns its length; the pointer stays valid until the module is unloaded.
int StoreReadOnlyPointer(HINSTANCE instance, UINT id, LPWSTR buffer) {
    const std::wstring* text =
        standin::ModuleResourceRegistry::Instance().PersistentWideString(BaseOf(instance), id);
    if (!text || text->empty()) {
        return 0;
    }
    const wchar_t* pointer = text->c_str();
    std::memcpy(buffer, &pointer, sizeof pointer);
    return static_cast<int>(text->size());
}

} // namespace

int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax) {
    if (!lpBuffer || cchBufferMax < 0) {
        return 0;
    }
    if (cchBufferMax == 0) {
        return StoreReadOnlyPointer(hInstance, uID, lpBuffer);
    }
    lpBuffer[0] = L'\0';
    std::u16string stored;
    if (!standin::ModuleResourceRegistry::Instance().FindString(BaseOf(hInstance), uID, stored)) {
        return 0;
    }
    const std::wstring text = winres::ToWide(stored);
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(cchBufferMax) - 1);
    std::copy_n(text.begin(), length, lpBuffer);
    lpBuffer[length] = L'\0';
    return static_cast<int>(length);
}

#endif
