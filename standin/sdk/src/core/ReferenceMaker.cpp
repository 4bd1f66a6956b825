// Reference bookkeeping on the maker's side: installing, replacing and releasing targets, and
// checking that the maker's slots show what the reference system installed in them.
#include "ref.h"

#include <algorithm>
#include <string>

#include "HostAccess.h"

namespace {

void RemoveOneDependent(std::vector<ReferenceMaker*>& deps, ReferenceMaker* maker) {
    auto it = std::find(deps.begin(), deps.end(), maker);
    if (it != deps.end()) {
        deps.erase(it);
    }
}

std::string Describe(Animatable* object) {
    if (!object) {
        return "nothing";
    }
    MSTR name;
    object->GetClassName(name, false);
    return "a " + MaxStandin::EncodeUtf8(name.data());
}

} // namespace

// The host's own access to the bookkeeping (cloning and scene saving check it too).
class MaxStandinReferenceAccess {
public:
    static void CheckSlots(ReferenceMaker* maker) { maker->CheckSlots(); }
};

void MaxStandin::HostAccess::CheckReferenceSlots(ReferenceMaker* maker) {
    if (maker) {
        MaxStandinReferenceAccess::CheckSlots(maker);
    }
}

ReferenceMaker::~ReferenceMaker() {
    // Deleted directly (DeleteThis) while still holding targets: let go of them here, deleting
    // those that no one else references, as DeleteMe would have done.
    std::vector<ReferenceTarget*> held;
    held.swap(heldTargets);
    for (ReferenceTarget* target : held) {
        if (!target) {
            continue;
        }
        RemoveOneDependent(target->dependents, this);
        target->RefDeleted(this);
        target->MaybeAutoDelete();
    }
}

int ReferenceMaker::NumRefs() {
    return 0;
}
RefTargetHandle ReferenceMaker::GetReference(int) {
    return nullptr;
}
void ReferenceMaker::SetReference(int, RefTargetHandle) {}
IOResult ReferenceMaker::Save(ISave*) {
    return IO_OK;
}
IOResult ReferenceMaker::Load(ILoad*) {
    return IO_OK;
}
void ReferenceMaker::GetClassName(MSTR& s, bool) const {
    s = _M("ReferenceMaker");
}

RefResult ReferenceMaker::NotifyDependents(const Interval&, PartID, RefMessage, SClass_ID, BOOL,
                                           RefTargetHandle, NotifyDependentsOption) {
    return REF_SUCCEED;
}

void ReferenceMaker::HoldTarget(int slot, ReferenceTarget* target) {
    if (heldTargets.size() <= static_cast<std::size_t>(slot)) {
        heldTargets.resize(static_cast<std::size_t>(slot) + 1, nullptr);
    }
    heldTargets[static_cast<std::size_t>(slot)] = target;
    target->dependents.push_back(this);
}

ReferenceTarget* ReferenceMaker::LetGoOfSlot(int slot) {
    if (slot < 0 || static_cast<std::size_t>(slot) >= heldTargets.size()) {
        return nullptr;
    }
    ReferenceTarget* target = heldTargets[static_cast<std::size_t>(slot)];
    heldTargets[static_cast<std::size_t>(slot)] = nullptr;
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
    for (const ReferenceTarget* target : heldTargets) {
        if (target && target->Reaches(goal)) {
            return true;
        }
    }
    return false;
}

// A slot that shows something other than what was installed there means the object assigned its
// member behind the reference system's back: the target does not know it is referenced, so it
// may be deleted under the object, and it is neither saved nor cloned as a reference.
void ReferenceMaker::CheckSlots() {
    const int count = NumRefs();
    for (int i = 0; i < count; ++i) {
        const std::size_t slot = static_cast<std::size_t>(i);
        ReferenceTarget* installed = slot < heldTargets.size() ? heldTargets[slot] : nullptr;
        ReferenceTarget* shown = GetReference(i);
        if (shown == installed) {
            continue;
        }
        MaxStandin::HostAccess::ReportFault(
            MaxStandin::HostAccess::FaultKind::ReferenceSlot,
            Describe(this) + ": GetReference(" + std::to_string(i) + ") gives " + Describe(shown) +
                " but the reference system installed " + Describe(installed) +
                " there (a member set without ReplaceReference?)");
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
        HoldTarget(which, newtarg);
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

RefResult ReferenceMaker::DeleteAllRefsFromMe() {
    for (int i = 0; i < NumRefs(); ++i) {
        DeleteReference(i);
    }
    // Slots beyond NumRefs, should the object have shrunk, are released too.
    for (std::size_t slot = 0; slot < heldTargets.size(); ++slot) {
        if (ReferenceTarget* target = LetGoOfSlot(static_cast<int>(slot))) {
            ReleaseTarget(target, true);
        }
    }
    return REF_SUCCEED;
}

RefResult ReferenceMaker::DeleteAllRefs() {
    if (ReferenceTarget* self = dynamic_cast<ReferenceTarget*>(this)) {
        self->DeleteAllRefsToMe();
    }
    return DeleteAllRefsFromMe();
}

void ReferenceMaker::DeleteMe() {
    if (beingDeleted) {
        return;
    }
    beingDeleted = true;
    DeleteAllRefs();
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
