#if !defined(_WIN32)

#include "ModuleResourceRegistry.h"

#include "winres/StringBlock.h"
#include "winres/Utf16.h"

#include <algorithm>

namespace standin {

using winres::ResEntry;
using winres::ResName;

ModuleResourceRegistry& ModuleResourceRegistry::Instance() {
    // Never destroyed: modules may unregister from their own exit-time code after ours has run.
    static ModuleResourceRegistry* registry = new ModuleResourceRegistry;
    return *registry;
}

void ModuleResourceRegistry::Register(std::uintptr_t base, const void* anchor,
                                      const unsigned char* data, std::size_t size) {
    ResourceSet set;
    set.anchor = anchor;
    if (!winres::ParseResFile(data, size, set.entries, set.error)) {
        set.entries.clear();
    }
    std::lock_guard<std::mutex> lock(mutex_);
    Module& module = modules_[base];
    module.sets.push_back(std::move(set));
    module.wideStrings.clear();
}

void ModuleResourceRegistry::Unregister(const void* anchor) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = modules_.begin(); it != modules_.end(); ++it) {
        std::vector<ResourceSet>& sets = it->second.sets;
        auto set = std::find_if(sets.begin(), sets.end(),
                                [anchor](const ResourceSet& s) { return s.anchor == anchor; });
        if (set == sets.end()) {
            continue;
        }
        sets.erase(set);
        if (sets.empty()) {
            modules_.erase(it);
        } else {
            it->second.wideStrings.clear();
        }
        return;
    }
}

const ModuleResourceRegistry::Module*
ModuleResourceRegistry::FindModule(std::uintptr_t base) const {
    auto it = modules_.find(base);
    return it == modules_.end() ? nullptr : &it->second;
}

bool ModuleResourceRegistry::Has(std::uintptr_t base) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return FindModule(base) != nullptr;
}

std::string ModuleResourceRegistry::Error(std::uintptr_t base) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const Module* module = FindModule(base);
    if (!module) {
        return std::string();
    }
    for (const ResourceSet& set : module->sets) {
        if (!set.error.empty()) {
            return set.error;
        }
    }
    return std::string();
}

std::optional<ResEntry> ModuleResourceRegistry::FindLocked(const Module& module,
                                                           const ResName& type, const ResName& name,
                                                           std::uint16_t languageId) const {
    for (const ResourceSet& set : module.sets) {
        if (const ResEntry* entry = winres::FindResEntry(set.entries, type, name, languageId)) {
            return *entry;
        }
    }
    return std::nullopt;
}

std::optional<ResEntry> ModuleResourceRegistry::Find(std::uintptr_t base, const ResName& type,
                                                     const ResName& name,
                                                     std::uint16_t languageId) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const Module* module = FindModule(base);
    return module ? FindLocked(*module, type, name, languageId) : std::nullopt;
}

bool ModuleResourceRegistry::FindStringLocked(const Module& module, unsigned int id,
                                              std::u16string& text) const {
    // String ids are 16 bits wide: Windows ignores the high word of the id, and so do we.
    id &= 0xFFFFu;
    std::optional<ResEntry> block =
        FindLocked(module, ResName::Ordinal(winres::kTypeString),
                   ResName::Ordinal(winres::StringBlockName(id)), winres::kLangEnglishUS);
    winres::StringBlock strings;
    std::string error;
    if (!block || !winres::DecodeStringBlock(block->data, block->size, strings, error)) {
        return false;
    }
    text = strings[winres::StringBlockIndex(id)];
    return true;
}

bool ModuleResourceRegistry::FindString(std::uintptr_t base, unsigned int id,
                                        std::u16string& text) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const Module* module = FindModule(base);
    return module && FindStringLocked(*module, id, text);
}

const std::wstring* ModuleResourceRegistry::PersistentWideString(std::uintptr_t base,
                                                                 unsigned int id) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = modules_.find(base);
    if (it == modules_.end()) {
        return nullptr;
    }
    Module& module = it->second;
    auto cached = module.wideStrings.find(id);
    if (cached != module.wideStrings.end()) {
        return &cached->second;
    }
    std::u16string text;
    if (!FindStringLocked(module, id, text)) {
        return nullptr;
    }
    return &module.wideStrings.emplace(id, winres::ToWide(text)).first->second;
}

} // namespace standin

#endif
