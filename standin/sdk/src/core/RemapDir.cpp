// RemapDir: one clone per source target within a cloning operation. The host's directory also
// checks each clone it hands out: that Clone called BaseClone for it, and that both sides hold
// their references through the reference system.
#include "ref.h"

#include <algorithm>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "ReferenceChecks.h"
#include "HostAccess.h"

namespace {

// Both do nothing for a directory other than the host's; defined with it below.
void NoteHostBaseClone(RemapDir& remap, ReferenceTarget* from, ReferenceTarget* to);
void CheckHostClone(RemapDir& remap, ReferenceTarget* from, ReferenceTarget* to);

} // namespace

namespace MaxStandin {

void NoteBaseClone(RemapDir& remap, ReferenceTarget* from, ReferenceTarget* to) {
    NoteHostBaseClone(remap, from, to);
}

} // namespace MaxStandin

RefTargetHandle RemapDir::CloneRef(RefTargetHandle oldTarg) {
    if (!oldTarg) {
        return nullptr;
    }
    if (RefTargetHandle clone = FindMapping(oldTarg)) {
        return clone;
    }
    RefTargetHandle clone = oldTarg->Clone(*this);
    if (clone) {
        AddEntry(oldTarg, clone);
        CheckHostClone(*this, oldTarg, clone);
    }
    return clone;
}

namespace {

class HostRemapDir : public RemapDir {
public:
    void NoteBaseClone(ReferenceTarget* from, ReferenceTarget* to) {
        baseCloned.emplace_back(from, to);
    }
    bool BaseCloned(ReferenceTarget* from, ReferenceTarget* to) const {
        return std::find(baseCloned.begin(), baseCloned.end(), std::make_pair(from, to)) !=
               baseCloned.end();
    }
    RefTargetHandle FindMapping(RefTargetHandle from) override {
        for (const auto& entry : mapping) {
            if (entry.first == from) {
                return entry.second;
            }
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
            if (RefTargetHandle clone = FindMapping(patch.second)) {
                *patch.first = clone;
            }
        }
        patches.clear();
    }

    std::vector<std::pair<RefTargetHandle, RefTargetHandle>> mapping;
    std::vector<std::pair<RefTargetHandle*, RefTargetHandle>> patches;
    std::vector<std::pair<ReferenceTarget*, ReferenceTarget*>> baseCloned;
};

void NoteHostBaseClone(RemapDir& remap, ReferenceTarget* from, ReferenceTarget* to) {
    if (auto* host = dynamic_cast<HostRemapDir*>(&remap)) {
        host->NoteBaseClone(from, to);
    }
}

void CheckHostClone(RemapDir& remap, ReferenceTarget* from, ReferenceTarget* to) {
    auto* host = dynamic_cast<HostRemapDir*>(&remap);
    if (!host) {
        return;
    }
    if (!host->BaseCloned(from, to)) {
        MSTR name;
        from->GetClassName(name, false);
        MaxStandin::HostAccess::ReportFault(
            MaxStandin::HostAccess::FaultKind::CloneWithoutBase,
            "Clone of a " + MaxStandin::EncodeUtf8(name.data()) +
                " returned a copy without calling BaseClone for it");
    }
    // What is cloned is what the reference system holds, on both sides.
    MaxStandin::HostAccess::CheckReferenceSlots(from);
    MaxStandin::HostAccess::CheckReferenceSlots(to);
}

} // namespace

RemapDir* NewRemapDir(BOOL) {
    return new (std::nothrow) HostRemapDir;
}

RefTargetHandle CloneRefHierarchy(RefTargetHandle rm) {
    RemapDir* remap = NewRemapDir();
    if (!remap) {
        return nullptr;
    }
    RefTargetHandle clone = remap->CloneRef(rm);
    remap->DeleteThis();
    return clone;
}
