#include "ResourceString.h"

#include "ModuleInstance.h"

namespace {
constexpr int resourceBufferLength = 256;
MCHAR resourceBuffer[resourceBufferLength];
} // namespace

const MCHAR* GetResourceString(int id) {
    HINSTANCE instance = GetModuleInstance();
    if (!instance) {
        return nullptr;
    }
    const int length =
        LoadStringW(instance, static_cast<UINT>(id), resourceBuffer, resourceBufferLength);
    return length != 0 ? resourceBuffer : nullptr;
}

MSTR GetResourceText(int id) {
    const MCHAR* text = GetResourceString(id);
    return text ? MSTR(text) : MSTR();
}
