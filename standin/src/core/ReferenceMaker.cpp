// Reference bookkeeping on the maker's side: installing, replacing and releasing targets.
#include "ref.h"

#include <algorithm>

ReferenceMaker::~ReferenceMaker() {
    // Deleted directly (DeleteThis) while still holding targets: let go of them here, deleting
    // those that no one else references, as DeleteMe would have done.
    std::vector<ReferenceTarget*> held;
    held.swap(heldTargets);
    for (ReferenceTarget* target : held) {
        auto& deps = target->dependents;
        auto it = std::find(deps.begin(), deps.end(), this);
        if (it != deps.end())
            deps.erase(it);
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

void ReferenceMaker::HoldTarget(ReferenceTarget* target) {
    heldTargets.push_back(target);
    target->dependents.push_back(this);
}

bool ReferenceMaker::LetGoOfTarget(ReferenceTarget* target) {
    auto held = std::find(heldTargets.begin(), heldTargets.end(), target);
    if (held == heldTargets.end())
        return false;
    heldTargets.erase(held);
    auto& deps = target->dependents;
    auto dep = std::find(deps.begin(), deps.end(), this);
    if (dep != deps.end())
        deps.erase(dep);
    return true;
}

void ReferenceMaker::ReleaseTarget(ReferenceTarget* target, bool deleteWhenOrphaned) {
    // A target installed behind the reference system's back is not ours to delete.
    if (!LetGoOfTarget(target))
        return;
    target->RefDeleted(this);
    if (deleteWhenOrphaned)
        target->MaybeAutoDelete();
}

bool ReferenceMaker::Reaches(const ReferenceMaker* goal) const {
    if (this == goal)
        return true;
    for (const ReferenceTarget* target : heldTargets) {
        if (target->Reaches(goal))
            return true;
    }
    return false;
}

RefResult ReferenceMaker::ReplaceReference(int which, RefTargetHandle newtarg, BOOL delOld) {
    if (which < 0 || which >= NumRefs())
        return REF_FAIL;
    RefTargetHandle old = GetReference(which);
    if (old == newtarg)
        return REF_SUCCEED;
    // A target that already depends on this maker would make notification loop for ever.
    if (newtarg && newtarg->Reaches(this))
        return REF_FAIL;
    if (newtarg)
        HoldTarget(newtarg);
    SetReference(which, newtarg);
    if (newtarg)
        newtarg->RefAdded(this);
    if (old)
        ReleaseTarget(old, delOld != FALSE);
    return REF_SUCCEED;
}

RefResult ReferenceMaker::DeleteReference(int i) {
    if (i < 0 || i >= NumRefs())
        return REF_FAIL;
    RefTargetHandle old = GetReference(i);
    if (!old)
        return REF_SUCCEED;
    SetReference(i, nullptr);
    ReleaseTarget(old, true);
    return REF_SUCCEED;
}

RefResult ReferenceMaker::DeleteAllRefsFromMe() {
    for (int i = 0; i < NumRefs(); ++i)
        DeleteReference(i);
    // Whatever is still held was installed and then dropped from its slot unannounced.
    while (!heldTargets.empty())
        ReleaseTarget(heldTargets.back(), true);
    return REF_SUCCEED;
}

RefResult ReferenceMaker::DeleteAllRefs() {
    if (ReferenceTarget* self = dynamic_cast<ReferenceTarget*>(this))
        self->DeleteAllRefsToMe();
    return DeleteAllRefsFromMe();
}

void ReferenceMaker::DeleteMe() {
    if (beingDeleted)
        return;
    beingDeleted = true;
    DeleteAllRefs();
    DeleteThis();
}

void ReferenceMaker::ClearSlotsHolding(ReferenceTarget* target) {
    for (int i = 0; i < NumRefs(); ++i) {
        if (GetReference(i) == target)
            SetReference(i, nullptr);
    }
    heldTargets.erase(std::remove(heldTargets.begin(), heldTargets.end(), target),
                      heldTargets.end());
}
