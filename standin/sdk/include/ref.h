// The reference system: makers hold targets in numbered slots, targets know their dependents
// and tell them about changes.
#pragma once

#include <vector>

#include "Animatable.h"
#include "channels.h"
#include "interval.h"
#include "plugapi.h"

class ReferenceMaker;
class ReferenceTarget;
class RemapDir;
class ISave;
class ILoad;

typedef ReferenceTarget* RefTargetHandle;
typedef ReferenceMaker* RefMakerHandle;
typedef ULONG_PTR PartID;
typedef unsigned int RefMessage;

enum RefResult {
    REF_FAIL = 0,
    REF_HALT = 0,
    REF_SUCCEED = 1,
    REF_DONTCARE = 2,
    REF_STOP = 3,
    REF_INVALID = 4,
    REF_AUTO_DELETE = 5
};

enum NotifyDependentsOption { REFNOTIFY_ALLOW_OPTIMIZATIONS = 0, REFNOTIFY_DISALLOW_OPTIMIZATIONS };

#define NOTIFY_ALL 0xfffffff0

const PartID PART_TOPO = TOPO_CHANNEL;
const PartID PART_GEOM = GEOM_CHANNEL;
const PartID PART_TEXMAP = TEXMAP_CHANNEL;
const PartID PART_MTL = MTL_CHANNEL;
const PartID PART_DISPLAY = DISP_ATTRIB_CHANNEL;
const PartID PART_TM_CHAN = TM_CHANNEL;
const PartID PART_TM = 1 << 12;
const PartID PART_ALL = ALL_CHANNELS | PART_TM;

#define REFMSG_TARGET_DELETED 0x00000020
#define REFMSG_CHANGE 0x00000050
#define REFMSG_SUBANIM_STRUCTURE_CHANGED 0x00000102
#define REFMSG_USER 0x00010000

class CoreExport ReferenceMaker : public Animatable {
    friend class ReferenceTarget;
    friend class MaxStandinReferenceAccess;

public:
    ReferenceMaker() = default;

    RefResult ReplaceReference(int which, RefTargetHandle newtarg, BOOL delOld = TRUE);
    RefResult DeleteReference(int i);
    RefResult DeleteAllRefsFromMe();
    RefResult DeleteAllRefs();
    // Releases every reference from and to this object, then deletes it.
    void DeleteMe();

    virtual int NumRefs();
    virtual RefTargetHandle GetReference(int i);

    virtual IOResult Save(ISave* isave);
    virtual IOResult Load(ILoad* iload);

    virtual RefResult
    NotifyDependents(const Interval& changeInt, PartID partID, RefMessage message,
                     SClass_ID sclass = NOTIFY_ALL, BOOL propagate = TRUE,
                     RefTargetHandle hTarg = NULL,
                     NotifyDependentsOption notifyDependentsOption = REFNOTIFY_ALLOW_OPTIMIZATIONS);

    void GetClassName(MSTR& s, bool localized = true) const override;
    SClass_ID SuperClassID() override { return REF_MAKER_CLASS_ID; }
    virtual BOOL IsRefMaker() { return TRUE; }
    virtual BOOL IsRefTarget() { return FALSE; }
    virtual BOOL CanTransferReference(int) { return TRUE; }

protected:
    virtual void SetReference(int i, RefTargetHandle rtarg);
    virtual RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget,
                                       PartID& partID, RefMessage message, BOOL propagate) = 0;
    virtual ~ReferenceMaker() = 0;

private:
    void HoldTarget(int slot, ReferenceTarget* target);
    // Forgets what slot holds and returns it (null for nothing).
    ReferenceTarget* LetGoOfSlot(int slot);
    void ReleaseTarget(ReferenceTarget* target, bool deleteWhenOrphaned);
    void ClearSlotsHolding(ReferenceTarget* target);
    bool Reaches(const ReferenceMaker* goal) const;
    // Reports every slot whose GetReference differs from what the reference system installed.
    void CheckSlots();

    bool beingDeleted = false;

    // Entry i is the target the reference system installed in slot i (null for none). The
    // destructor releases them from here, because by then the slots of the derived class are out
    // of reach.
    std::vector<ReferenceTarget*> heldTargets;
};

class CoreExport ReferenceTarget : public ReferenceMaker {
    friend class ReferenceMaker;
    friend class MaxStandinReferenceAccess;

public:
    ReferenceTarget() = default;

    virtual RefTargetHandle Clone(RemapDir& remap);
    virtual void BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap);

    RefResult NotifyDependents(
        const Interval& changeInt, PartID partID, RefMessage message, SClass_ID sclass = NOTIFY_ALL,
        BOOL propagate = TRUE, RefTargetHandle hTarg = NULL,
        NotifyDependentsOption notifyDependentsOption = REFNOTIFY_ALLOW_OPTIMIZATIONS) override;

    virtual void RefAdded(RefMakerHandle rm);
    virtual void RefDeleted(ReferenceMaker* oldOwner);
    MAX_DEPRECATED virtual void RefDeleted() MAX_SEALED;

    RefResult DeleteAllRefsToMe();
    // Deletes this target when nothing references it any more.
    RefResult MaybeAutoDelete();
    BOOL HasDependents() const { return dependents.empty() ? FALSE : TRUE; }

    void GetClassName(MSTR& s, bool localized = true) const override;
    SClass_ID SuperClassID() override { return REF_TARGET_CLASS_ID; }
    BOOL IsRefTarget() override { return TRUE; }

protected:
    virtual ~ReferenceTarget() = 0;

private:
    // Only the reference system delivers change messages to a target.
    using ReferenceMaker::NotifyRefChanged;

    // One entry per referencing slot, so a maker that holds this target twice appears twice.
    std::vector<ReferenceMaker*> dependents;
};

// Maps each target of one cloning operation to its clone, so that a target reached twice is
// cloned once.
class CoreExport RemapDir : public MaxHeapOperators {
public:
    virtual ~RemapDir() = default;
    virtual RefTargetHandle FindMapping(RefTargetHandle from) = 0;
    virtual RefTargetHandle CloneRef(RefTargetHandle oldTarg);
    virtual void AddEntry(RefTargetHandle hfrom, RefTargetHandle hto) = 0;
    // Redirects *patchThis to the clone of oldTarg when the operation ends, if there is one.
    virtual void PatchPointer(RefTargetHandle* patchThis, RefTargetHandle oldTarg) = 0;
    virtual void Clear() = 0;
    virtual void DeleteThis() = 0;
};

// A fresh directory for one cloning operation (null when the heap has no storage for it); the
// caller ends it with DeleteThis.
CoreExport RemapDir* NewRemapDir(BOOL use_A_WORK2_flag = FALSE);
// Clones a target and everything it references, each object once.
CoreExport RefTargetHandle CloneRefHierarchy(RefTargetHandle rm);
