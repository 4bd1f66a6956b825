// The reference system: animatables, makers and targets, change notification, deletion and
// cloning; the record of the plug-in faults the host notices, and the class directory.
#include <algorithm>
#include <cstdio>
#include <mutex>
#include <utility>

#include "Standin.h"

// ---- plug-in faults ------------------------------------------------------------------------

namespace {

std::mutex faultLock;
std::vector<maxhost::HostFault> faults;

// Takes the recorded faults that are (or are not) descriptor faults.
std::vector<maxhost::HostFault> TakeFaults(bool descriptors) {
    std::lock_guard<std::mutex> hold(faultLock);
    const auto kept = std::stable_partition(faults.begin(), faults.end(), [&](const auto& f) {
        return (f.kind == maxhost::FaultKind::Descriptor) != descriptors;
    });
    std::vector<maxhost::HostFault> taken(std::make_move_iterator(kept),
                                          std::make_move_iterator(faults.end()));
    faults.erase(kept, faults.end());
    return taken;
}

} // namespace

void MaxStandin::ReportFault(maxhost::FaultKind kind, const std::string& message) {
    std::lock_guard<std::mutex> hold(faultLock);
    faults.push_back(maxhost::HostFault{kind, message});
    // scripts/fuzz.sh filters the descriptor lines, which fuzzing provokes by the thousand.
    std::fprintf(stderr,
                 kind == maxhost::FaultKind::Descriptor ? "max_standin: %s\n"
                                                        : "maxhost: plug-in fault: %s\n",
                 message.c_str());
}

std::string MaxStandin::Describe(Animatable* object) {
    if (!object) {
        return "nothing";
    }
    MSTR name;
    object->GetClassName(name, false);
    return "a " + winres::ToUtf8(name.data());
}

std::vector<maxhost::HostFault> maxhost::TakeHostFaults() {
    return TakeFaults(false);
}

std::vector<std::string> maxhost::TakeDescriptorErrors() {
    std::vector<std::string> messages;
    for (HostFault& fault : TakeFaults(true)) {
        messages.push_back(std::move(fault.message));
    }
    return messages;
}

// ---- the class directory -------------------------------------------------------------------

namespace {

std::mutex directoryLock;
std::vector<ClassDesc*> added;

} // namespace

void maxhost::RegisterClassDesc(ClassDesc* cd) {
    std::lock_guard<std::mutex> lock(directoryLock);
    if (cd && std::find(added.begin(), added.end(), cd) == added.end()) {
        added.push_back(cd);
    }
}

void maxhost::UnregisterClassDesc(ClassDesc* cd) {
    std::lock_guard<std::mutex> lock(directoryLock);
    added.erase(std::remove(added.begin(), added.end(), cd), added.end());
}

ClassDesc* maxhost::FindClassDesc(SClass_ID sclass, const Class_ID& cid) {
    std::vector<ClassDesc*> all = {MaxStandin::ParamBlock2ClassDesc(),
                                   MaxStandin::StdTexOutClassDesc()};
    {
        std::lock_guard<std::mutex> lock(directoryLock);
        all.insert(all.end(), added.begin(), added.end());
    }
    for (ClassDesc* cd : all) {
        if (cd->SuperClassID() == sclass && cd->ClassID() == cid) {
            return cd;
        }
    }
    return nullptr;
}

Class_ID maxhost::StandardTextureOutputClassID() {
    return MaxStandin::StdTexOutClassDesc()->ClassID();
}

// ---- animatables ---------------------------------------------------------------------------

InterfaceServer::~InterfaceServer() = default;

Animatable::~Animatable() = default;

void Animatable::DeleteThis() {
    delete this;
}
void Animatable::GetClassName(MSTR& s, bool) const {
    s = _M("Animatable");
}
Class_ID Animatable::ClassID() {
    return Class_ID(0, 0);
}

// ---- references: the maker's side ----------------------------------------------------------

namespace {

void RemoveOneDependent(std::vector<ReferenceMaker*>& deps, ReferenceMaker* maker) {
    auto it = std::find(deps.begin(), deps.end(), maker);
    if (it != deps.end()) {
        deps.erase(it);
    }
}

bool Contains(const std::vector<ReferenceMaker*>& makers, const ReferenceMaker* maker) {
    return std::find(makers.begin(), makers.end(), maker) != makers.end();
}

std::vector<ReferenceMaker*> Distinct(const std::vector<ReferenceMaker*>& makers) {
    std::vector<ReferenceMaker*> distinct;
    for (ReferenceMaker* maker : makers) {
        if (!Contains(distinct, maker)) {
            distinct.push_back(maker);
        }
    }
    return distinct;
}

} // namespace

ReferenceMaker::~ReferenceMaker() {
    // Deleted directly (DeleteThis) while still holding targets: let go of them here, deleting
    // those that no one else references, as DeleteMe would have done.
    std::vector<ReferenceTarget*> held;
    held.swap(heldTargets);
    for (ReferenceTarget* target : held) {
        if (target) {
            RemoveOneDependent(target->dependents, this);
            ReleaseTarget(target, true);
        }
    }
}

RefResult ReferenceMaker::NotifyDependents(const Interval&, PartID, RefMessage, SClass_ID, BOOL,
                                           RefTargetHandle) {
    return REF_SUCCEED;
}

ReferenceTarget* ReferenceMaker::LetGoOfSlot(int slot) {
    if (slot < 0 || static_cast<std::size_t>(slot) >= heldTargets.size()) {
        return nullptr;
    }
    ReferenceTarget* target = std::exchange(heldTargets[static_cast<std::size_t>(slot)], nullptr);
    if (target) {
        RemoveOneDependent(target->dependents, this);
    }
    return target;
}

void ReferenceMaker::ReleaseTarget(ReferenceTarget* target, bool deleteWhenOrphaned) {
    target->RefDeleted(this);
    if (deleteWhenOrphaned) {
        target->MaybeAutoDelete();
    }
}

bool ReferenceMaker::Reaches(const ReferenceMaker* goal) const {
    if (this == goal) {
        return true;
    }
    return std::any_of(heldTargets.begin(), heldTargets.end(),
                       [goal](const ReferenceTarget* t) { return t && t->Reaches(goal); });
}

void ReferenceMaker::CheckSlots() {
    for (int i = 0; i < NumRefs(); ++i) {
        const std::size_t slot = static_cast<std::size_t>(i);
        ReferenceTarget* installed = slot < heldTargets.size() ? heldTargets[slot] : nullptr;
        ReferenceTarget* shown = GetReference(i);
        if (shown != installed) {
            MaxStandin::ReportFault(
                maxhost::FaultKind::ReferenceSlot,
                MaxStandin::Describe(this) + ": GetReference(" + std::to_string(i) + ") gives " +
                    MaxStandin::Describe(shown) + " but the reference system installed " +
                    MaxStandin::Describe(installed) +
                    " there (a member set without ReplaceReference?)");
        }
    }
}

RefResult ReferenceMaker::ReplaceReference(int which, RefTargetHandle newtarg, BOOL delOld) {
    if (which < 0 || which >= NumRefs()) {
        return REF_FAIL;
    }
    if (GetReference(which) == newtarg) {
        CheckSlots();
        return REF_SUCCEED;
    }
    // A target that already depends on this maker would make notification loop for ever.
    if (newtarg && newtarg->Reaches(this)) {
        return REF_FAIL;
    }
    ReferenceTarget* old = LetGoOfSlot(which);
    if (newtarg) {
        if (heldTargets.size() <= static_cast<std::size_t>(which)) {
            heldTargets.resize(static_cast<std::size_t>(which) + 1, nullptr);
        }
        heldTargets[static_cast<std::size_t>(which)] = newtarg;
        newtarg->dependents.push_back(this);
    }
    SetReference(which, newtarg);
    if (newtarg) {
        newtarg->RefAdded(this);
    }
    if (old) {
        ReleaseTarget(old, delOld != FALSE);
    }
    CheckSlots();
    return REF_SUCCEED;
}

RefResult ReferenceMaker::DeleteReference(int i) {
    if (i < 0 || i >= NumRefs()) {
        return REF_FAIL;
    }
    ReferenceTarget* old = LetGoOfSlot(i);
    if (GetReference(i)) {
        SetReference(i, nullptr);
    }
    if (old) {
        ReleaseTarget(old, true);
    }
    CheckSlots();
    return REF_SUCCEED;
}

// Slots beyond NumRefs, should the object have shrunk, are released by the destructor.
void ReferenceMaker::DeleteMe() {
    if (beingDeleted) {
        return;
    }
    beingDeleted = true;
    if (auto* self = dynamic_cast<ReferenceTarget*>(this)) {
        self->DeleteAllRefsToMe();
    }
    for (int i = 0; i < NumRefs(); ++i) {
        DeleteReference(i);
    }
    DeleteThis();
}

void ReferenceMaker::ClearSlotsHolding(ReferenceTarget* target) {
    for (int i = 0; i < NumRefs(); ++i) {
        if (GetReference(i) == target) {
            SetReference(i, nullptr);
        }
    }
    std::replace(heldTargets.begin(), heldTargets.end(), target,
                 static_cast<ReferenceTarget*>(nullptr));
}

// ---- references: the target's side ---------------------------------------------------------

ReferenceTarget::~ReferenceTarget() {
    // Deleted directly while still referenced: empty the slots that point here.
    if (!dependents.empty()) {
        DeleteAllRefsToMe();
    }
}

RefResult ReferenceTarget::NotifyDependents(const Interval& changeInt, PartID partID,
                                            RefMessage message, SClass_ID sclass, BOOL propagate,
                                            RefTargetHandle) {
    // Makers may drop their references while being told; only those still dependent hear it.
    for (ReferenceMaker* maker : Distinct(dependents)) {
        if (!Contains(dependents, maker) ||
            (sclass != NOTIFY_ALL && maker->SuperClassID() != sclass)) {
            continue;
        }
        PartID part = partID;
        const RefResult result = maker->NotifyRefChanged(changeInt, this, part, message, propagate);
        if (result == REF_STOP || !propagate) {
            continue;
        }
        if (auto* next = dynamic_cast<ReferenceTarget*>(maker)) {
            next->NotifyDependents(changeInt, part, message, sclass, propagate, this);
        }
    }
    return REF_SUCCEED;
}

RefResult ReferenceTarget::DeleteAllRefsToMe() {
    for (ReferenceMaker* maker : Distinct(dependents)) {
        if (!Contains(dependents, maker)) {
            continue;
        }
        PartID part = PART_ALL;
        maker->NotifyRefChanged(FOREVER, this, part, REFMSG_TARGET_DELETED, TRUE);
        maker->ClearSlotsHolding(this);
        dependents.erase(std::remove(dependents.begin(), dependents.end(), maker),
                         dependents.end());
        RefDeleted(maker);
    }
    return REF_SUCCEED;
}

RefResult ReferenceTarget::MaybeAutoDelete() {
    if (!dependents.empty() || beingDeleted) {
        return REF_FAIL;
    }
    DeleteMe();
    return REF_SUCCEED;
}

// ---- cloning -------------------------------------------------------------------------------
// The host's directory also checks each clone it hands out: that Clone called BaseClone for it,
// and that both sides hold their references through the reference system.

namespace {

class HostRemapDir : public RemapDir {
public:
    RefTargetHandle FindMapping(RefTargetHandle from) override {
        for (const auto& entry : mapping) {
            if (entry.first == from) {
                return entry.second;
            }
        }
        return nullptr;
    }
    void AddEntry(RefTargetHandle hfrom, RefTargetHandle hto) override {
        mapping.emplace_back(hfrom, hto);
    }
    void DeleteThis() override { delete this; }

    std::vector<std::pair<RefTargetHandle, RefTargetHandle>> mapping;
    std::vector<std::pair<ReferenceTarget*, ReferenceTarget*>> baseCloned;
};

} // namespace

void ReferenceTarget::BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap) {
    if (auto* host = dynamic_cast<HostRemapDir*>(&remap)) {
        host->baseCloned.emplace_back(from, to);
    }
}

RefTargetHandle RemapDir::CloneRef(RefTargetHandle oldTarg) {
    if (!oldTarg) {
        return nullptr;
    }
    if (RefTargetHandle clone = FindMapping(oldTarg)) {
        return clone;
    }
    RefTargetHandle clone = oldTarg->Clone(*this);
    if (!clone) {
        return nullptr;
    }
    AddEntry(oldTarg, clone);
    if (auto* host = dynamic_cast<HostRemapDir*>(this)) {
        const auto& noted = host->baseCloned;
        if (std::find(noted.begin(), noted.end(), std::make_pair(oldTarg, clone)) == noted.end()) {
            MaxStandin::ReportFault(maxhost::FaultKind::CloneWithoutBase,
                                    "Clone of " + MaxStandin::Describe(oldTarg) +
                                        " returned a copy without calling BaseClone for it");
        }
        // What is cloned is what the reference system holds, on both sides.
        oldTarg->CheckSlots();
        clone->CheckSlots();
    }
    return clone;
}

RemapDir* NewRemapDir(BOOL) {
    return new (std::nothrow) HostRemapDir;
}
