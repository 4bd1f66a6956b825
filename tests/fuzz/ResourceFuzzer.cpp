// Compiled resources as a module carries them: the .res file, each dialog template and string
// block in it, and the lookups the plug-in makes through its HINSTANCE (LoadStringW and the
// host's search for a dialog template).
#include <maxhost/Host.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

void ReadDialog(const winres::ResEntry& entry) {
    winres::DialogTemplate dialog;
    std::string error;
    if (!winres::ParseDialogTemplate(entry.data, entry.size, dialog, error)) {
        return;
    }
    winres::ToWide(dialog.title);
    winres::ToWide(dialog.typeface);
    for (const winres::DialogItem& item : dialog.items) {
        winres::ToWide(winres::ClassNameOf(item));
        winres::ToWide(item.title.text);
    }
}

void ReadStrings(const winres::ResEntry& entry) {
    winres::StringBlock block;
    std::string error;
    if (!winres::DecodeStringBlock(entry.data, entry.size, block, error)) {
        return;
    }
    for (const std::u16string& text : block) {
        winres::ToWide(text);
    }
}

void ParseDirectly(const std::uint8_t* data, std::size_t size) {
    std::vector<winres::ResEntry> entries;
    std::string error;
    if (!winres::ParseResFile(data, size, entries, error)) {
        return;
    }
    for (const winres::ResEntry& entry : entries) {
        if (entry.type == winres::ResName::Ordinal(winres::kTypeDialog)) {
            ReadDialog(entry);
        } else if (entry.type == winres::ResName::Ordinal(winres::kTypeString)) {
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
            module, winres::ResName::Ordinal(winres::kTypeDialog), winres::ResName::Ordinal(101))) {
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
