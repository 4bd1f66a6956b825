// Compiled resources as a module carries them: the .res file, each dialog template and string
// block in it, and the lookups the plug-in makes through its HINSTANCE (LoadStringW and the
// host's search for a dialog template).
#include <maxhost/ModuleResources.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

namespace res = maxhost::res;

void ReadDialog(const res::ResEntry& entry) {
    res::DialogTemplate dialog;
    std::string error;
    if (!res::ParseDialogTemplate(entry.data, entry.size, dialog, error)) {
        return;
    }
    res::ToWide(dialog.title);
    res::ToWide(dialog.typeface);
    for (const res::DialogItem& item : dialog.items) {
        res::ToWide(res::ClassNameOf(item));
        res::ToWide(item.title.text);
    }
}

void ReadStrings(const res::ResEntry& entry) {
    res::StringBlock block;
    std::string error;
    if (!res::DecodeStringBlock(entry.data, entry.size, block, error)) {
        return;
    }
    for (const std::u16string& text : block) {
        res::ToWide(text);
    }
}

void ParseDirectly(const std::uint8_t* data, std::size_t size) {
    std::vector<res::ResEntry> entries;
    std::string error;
    if (!res::ParseResFile(data, size, entries, error)) {
        return;
    }
    for (const res::ResEntry& entry : entries) {
        if (entry.type == res::ResName::Ordinal(res::kTypeDialog)) {
            ReadDialog(entry);
        } else if (entry.type == res::ResName::Ordinal(res::kTypeString)) {
            ReadStrings(entry);
        }
    }
}

// Registers the bytes as this program's resources, as a module's embedded .res is registered
// when it loads, and asks for them through the Win32 calls.
void LookUpThroughTheModule(const std::uint8_t* data, std::size_t size) {
    static const int anchor = 0;
    StandinRegisterModuleResources(&anchor, data, size);
    const HINSTANCE module = maxhost::ModuleHandleFromAddress(&anchor);
    maxhost::ModuleResourceError(module);
    wchar_t buffer[64];
    for (UINT id : {0u, 1u, 2u, 15u, 16u, 100u, 0xFFFFu, 0x10001u}) {
        LoadStringW(module, id, buffer, 64);
        const wchar_t* direct = nullptr;
        LoadStringW(module, id, reinterpret_cast<LPWSTR>(&direct), 0);
    }
    if (const auto dialog = maxhost::FindModuleResource(
            module, res::ResName::Ordinal(res::kTypeDialog), res::ResName::Ordinal(101))) {
        ReadDialog(*dialog);
    }
    StandinUnregisterModuleResources(&anchor);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ParseDirectly(data, size);
    LookUpThroughTheModule(data, size);
    return 0;
}
