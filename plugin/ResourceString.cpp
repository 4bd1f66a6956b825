#include "ResourceString.h"

#include "ModuleInstance.h"

namespace {
constexpr int kResourceBufferLength = 256;
MCHAR resourceBuffer[kResourceBufferLength];
} // namespace

const MCHAR* GetResourceString(int id) {
    HINSTANCE instance = GetModuleInstance();
    if (!instance) {
        return nullptr;
    }
    const int length =
        LoadStringW(instance, static_cast<UINT>(id), resourceBuffer, kResourceBufferLength);
    return length != 0 ? resourceBuffer : nullptr;
}

MSTR GetResourceText(int id) {
    const MCHAR* text = GetResourceString(id);
    return text ? MSTR(text) : MSTR();
}
