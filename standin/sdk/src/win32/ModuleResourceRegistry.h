// Process-wide table of the resources that Linux modules embed, keyed by module base address.
#pragma once

#include "winres/ResFile.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace standin {

class ModuleResourceRegistry {
public:
    static ModuleResourceRegistry& Instance();

    void Register(std::uintptr_t base, const void* anchor, const unsigned char* data,
                  std::size_t size);
    void Unregister(const void* anchor);

    bool Has(std::uintptr_t base) const;
    std::string Error(std::uintptr_t base) const;
    std::optional<winres::ResEntry> Find(std::uintptr_t base, const winres::ResName& type,
                                         const winres::ResName& name,
                                         std::uint16_t languageId) const;
    bool FindString(std::uintptr_t base, unsigned int id, std::u16string& text) const;

    // The string converted to wchar_t, kept until the module unregisters, for the read-only
    // pointer that LoadStringW hands out when given no buffer capacity. Null when missing.
    const std::wstring* PersistentWideString(std::uintptr_t base, unsigned int id);

private:
    struct ResourceSet {
        const void* anchor = nullptr;
        std::vector<winres::ResEntry> entries;
        std::string error;
    };
    struct Module {
        std::vector<ResourceSet> sets;
        std::unordered_map<unsigned int, std::wstring> wideStrings;
    };

    const Module* FindModule(std::uintptr_t base) const;
    std::optional<winres::ResEntry> FindLocked(const Module& module, const winres::ResName& type,
                                               const winres::ResName& name,
                                               std::uint16_t languageId) const;
    bool FindStringLocked(const Module& module, unsigned int id, std::u16string& text) const;

    mutable std::mutex mutex_;
    std::map<std::uintptr_t, Module> modules_;
};

} // namespace standin
