#include "TemplateControls.h"

#include "winres/DialogTemplate.h"
#include "winres/ResFile.h"

#include <cstdint>
#include <string>

#if defined(_WIN32)
#else
#include "HostAccess.h"
#endif

namespace MaxStandin {

namespace {

// The template's bytes as the module holds them, or none.
bool FindTemplate(HINSTANCE module, int templateId, const unsigned char*& data, std::size_t& size) {
    if (!module || templateId <= 0 || templateId > 0xFFFF) {
        return false;
    }
#if defined(_WIN32)
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(5));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    data = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    size = found ? SizeofResource(module, found) : 0;
    return data != nullptr;
#else
    const auto entry = MaxStandin::HostAccess::FindModuleResource(
        module, winres::ResName::Ordinal(winres::kTypeDialog),
        winres::ResName::Ordinal(static_cast<std::uint16_t>(templateId)), winres::kLangEnglishUS);
    if (!entry) {
        return false;
    }
    data = entry->data;
    size = entry->size;
    return true;
#endif
}

} // namespace

bool ReadTemplateControls(HINSTANCE module, int templateId,
                          std::vector<TemplateControl>& controls) {
    controls.clear();
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    if (!FindTemplate(module, templateId, data, size)) {
        return false;
    }
    winres::DialogTemplate dialog;
    std::string error;
    if (!winres::ParseDialogTemplate(data, size, dialog, error)) {
        return false;
    }
    for (const winres::DialogItem& item : dialog.items) {
        // 32-bit ids in DLGTEMPLATEEX; -1 (no id) arrives as 0xFFFFFFFF or 0xFFFF.
        const int id = static_cast<std::int32_t>(item.id);
        if (id != -1 && id != 0xFFFF) {
            controls.push_back(TemplateControl{id, winres::ClassNameOf(item), item.style});
        }
    }
    return true;
}

} // namespace MaxStandin
