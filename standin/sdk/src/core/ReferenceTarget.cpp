// Reference bookkeeping on the target's side: dependents, change notification, deletion.
#include "ref.h"

#include <algorithm>

#include "ReferenceChecks.h"

namespace {

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

ReferenceTarget::~ReferenceTarget() {
    // Deleted directly while still referenced: empty the slots that point here.
    if (!dependents.empty()) {
        DeleteAllRefsToMe();
    }
}

RefTargetHandle ReferenceTarget::Clone(RemapDir&) {
    return nullptr;
}
// The common work of every clone; the host's cloning checks that Clone asked for it.
void ReferenceTarget::BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap) {
    MaxStandin::NoteBaseClone(remap, from, to);
}
void ReferenceTarget::RefAdded(RefMakerHandle) {}
void ReferenceTarget::RefDeleted(ReferenceMaker*) {}
void ReferenceTarget::RefDeleted() {}
void ReferenceTarget::GetClassName(MSTR& s, bool) const {
    s = _M("ReferenceTarget");
}

RefResult ReferenceTarget::NotifyDependents(const Interval& changeInt, PartID partID,
                                            RefMessage message, SClass_ID sclass, BOOL propagate,
                                            RefTargetHandle, NotifyDependentsOption option) {
    // Makers may drop their references while being told; only those still dependent hear it.
    for (ReferenceMaker* maker : Distinct(dependents)) {
        if (!Contains(dependents, maker)) {
            continue;
        }
        if (sclass != NOTIFY_ALL && maker->SuperClassID() != sclass) {
            continue;
        }
        PartID part = partID;
        const RefResult result = maker->NotifyRefChanged(changeInt, this, part, message, propagate);
        if (result == REF_STOP || !propagate) {
            continue;
        }
        if (ReferenceTarget* next = dynamic_cast<ReferenceTarget*>(maker)) {
            next->NotifyDependents(changeInt, part, message, sclass, propagate, this, option);
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
