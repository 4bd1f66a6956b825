// The compiled resources of Linux modules (Windows answers these itself): each module embeds its
// .res file and registers it at load time; a module is found by its HINSTANCE, its base address.
#if !defined(_WIN32)

#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <unordered_map>

#include "Standin.h"

namespace {

struct ResourceSet {
    const void* anchor = nullptr;
    std::vector<winres::ResEntry> entries;
    std::string error;
};

struct Module {
    std::vector<ResourceSet> sets;
    // Strings handed out as read-only pointers by LoadStringW, kept until the module goes.
    std::unordered_map<unsigned int, std::wstring> wideStrings;
};

std::mutex registryLock;
// Never destroyed: modules may unregister from their own exit-time code after ours has run.
std::map<HINSTANCE, Module>& modules = *new std::map<HINSTANCE, Module>;

const Module* FindModule(HINSTANCE module) {
    auto it = modules.find(module);
    return it == modules.end() ? nullptr : &it->second;
}

std::optional<winres::ResEntry> FindLocked(const Module* module, const winres::ResName& type,
                                           const winres::ResName& name, std::uint16_t language) {
    for (std::size_t i = 0; module && i < module->sets.size(); ++i) {
        const auto& entries = module->sets[i].entries;
        if (const winres::ResEntry* entry = winres::FindResEntry(entries, type, name, language)) {
            return *entry;
        }
    }
    return std::nullopt;
}

bool FindStringLocked(const Module* module, unsigned int id, std::u16string& text) {
    // String ids are 16 bits wide: Windows ignores the high word of the id, and so do we.
    id &= 0xFFFFu;
    const auto block =
        FindLocked(module, winres::ResName::Ordinal(winres::kTypeString),
                   winres::ResName::Ordinal(winres::StringBlockName(id)), winres::kLangEnglishUS);
    winres::StringBlock strings;
    std::string error;
    if (!block || !winres::DecodeStringBlock(block->data, block->size, strings, error)) {
        return false;
    }
    text = strings[winres::StringBlockIndex(id)];
    return true;
}

} // namespace

void StandinRegisterModuleResources(const void* anchor, const unsigned char* data,
                                    std::size_t size) {
    HINSTANCE module = maxhost::ModuleHandleFromAddress(anchor);
    if (!module) {
        return;
    }
    ResourceSet set;
    set.anchor = anchor;
    if (!winres::ParseResFile(data, size, set.entries, set.error)) {
        set.entries.clear();
    }
    std::lock_guard<std::mutex> lock(registryLock);
    modules[module].sets.push_back(std::move(set));
    modules[module].wideStrings.clear();
}

void StandinUnregisterModuleResources(const void* anchor) {
    std::lock_guard<std::mutex> lock(registryLock);
    for (auto it = modules.begin(); it != modules.end(); ++it) {
        std::vector<ResourceSet>& sets = it->second.sets;
        auto set = std::find_if(sets.begin(), sets.end(),
                                [anchor](const ResourceSet& s) { return s.anchor == anchor; });
        if (set != sets.end()) {
            sets.erase(set);
            it->second.wideStrings.clear();
            if (sets.empty()) {
                modules.erase(it);
            }
            return;
        }
    }
}

HINSTANCE maxhost::ModuleHandleFromAddress(const void* address) {
    Dl_info info{};
    if (!address || dladdr(address, &info) == 0 || !info.dli_fbase) {
        return nullptr;
    }
    return static_cast<HINSTANCE>(info.dli_fbase);
}

std::string maxhost::ModuleResourceError(HINSTANCE module) {
    std::lock_guard<std::mutex> lock(registryLock);
    const Module* found = FindModule(module);
    for (std::size_t i = 0; found && i < found->sets.size(); ++i) {
        if (!found->sets[i].error.empty()) {
            return found->sets[i].error;
        }
    }
    return std::string();
}

std::optional<winres::ResEntry> maxhost::FindModuleResource(HINSTANCE module,
                                                            const winres::ResName& type,
                                                            const winres::ResName& name,
                                                            unsigned short languageId) {
    std::lock_guard<std::mutex> lock(registryLock);
    return FindLocked(FindModule(module), type, name, languageId);
}

bool maxhost::FindModuleString(HINSTANCE module, unsigned int id, std::u16string& text) {
    std::lock_guard<std::mutex> lock(registryLock);
    return FindStringLocked(FindModule(module), id, text);
}

int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax) {
    if (!lpBuffer || cchBufferMax < 0) {
        return 0;
    }
    std::lock_guard<std::mutex> lock(registryLock);
    auto module = modules.find(hInstance);
    std::u16string stored;
    if (cchBufferMax > 0) {
        lpBuffer[0] = L'\0';
    }
    if (module == modules.end() || !FindStringLocked(&module->second, uID, stored) ||
        (cchBufferMax == 0 && stored.empty())) {
        return 0;
    }
    if (cchBufferMax == 0) {
        // With no capacity, Windows stores a read-only pointer to the string in the buffer
        // instead of a copy and returns its length; it stays valid until the module is unloaded.
        const std::wstring& text =
            module->second.wideStrings.emplace(uID & 0xFFFFu, winres::ToWide(stored)).first->second;
        const wchar_t* pointer = text.c_str();
        std::memcpy(lpBuffer, &pointer, sizeof pointer);
        return static_cast<int>(text.size());
    }
    const std::wstring text = winres::ToWide(stored);
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(cchBufferMax) - 1);
    std::copy_n(text.begin(), length, lpBuffer);
    lpBuffer[length] = L'\0';
    return static_cast<int>(length);
}

#endif
