// RemapDir: one clone per source target within a cloning operation.
#include "ref.h"

#include <new>
#include <utility>
#include <vector>

RefTargetHandle RemapDir::CloneRef(RefTargetHandle oldTarg) {
    if (!oldTarg)
        return nullptr;
    if (RefTargetHandle clone = FindMapping(oldTarg))
        return clone;
    RefTargetHandle clone = oldTarg->Clone(*this);
    if (clone)
        AddEntry(oldTarg, clone);
    return clone;
}

namespace {

class HostRemapDir : public RemapDir {
public:
    RefTargetHandle FindMapping(RefTargetHandle from) override {
        for (const auto& entry : mapping) {
            if (entry.first == from)
                return entry.second;
        }
        return nullptr;
    }
    void AddEntry(RefTargetHandle hfrom, RefTargetHandle hto) override {
        for (auto& entry : mapping) {
            if (entry.first == hfrom) {
                entry.second = hto;
                return;
            }
        }
        mapping.emplace_back(hfrom, hto);
    }
    void PatchPointer(RefTargetHandle* patchThis, RefTargetHandle oldTarg) override {
        patches.emplace_back(patchThis, oldTarg);
    }
    void Clear() override {
        Backpatch();
        mapping.clear();
    }
    void DeleteThis() override {
        Backpatch();
        delete this;
    }

private:
    void Backpatch() {
        for (const auto& patch : patches) {
            if (RefTargetHandle clone = FindMapping(patch.second))
                *patch.first = clone;
        }
        patches.clear();
    }

    std::vector<std::pair<RefTargetHandle, RefTargetHandle>> mapping;
    std::vector<std::pair<RefTargetHandle*, RefTargetHandle>> patches;
};

} // namespace

RemapDir* NewRemapDir(BOOL) {
    return new (std::nothrow) HostRemapDir;
}

RefTargetHandle CloneRefHierarchy(RefTargetHandle rm) {
    RemapDir* remap = NewRemapDir();
    if (!remap)
        return nullptr;
    RefTargetHandle clone = remap->CloneRef(rm);
    remap->DeleteThis();
    return clone;
}
