// The reference system: animatables, makers that hold targets in numbered slots, targets that
// know their dependents and tell them about changes, cloning, and the chunked scene streams.
#pragma once

#include <vector>

#include "maxtypes.h"

class IParamBlock2;
class ReferenceMaker;
class ReferenceTarget;
class RemapDir;
class ISave;
class ILoad;

typedef ReferenceTarget* RefTargetHandle;
typedef ReferenceMaker* RefMakerHandle;
typedef ULONG_PTR PartID;
typedef unsigned int RefMessage;
typedef short BlockID;

enum RefResult { REF_FAIL = 0, REF_SUCCEED = 1, REF_STOP = 3 };

#define NOTIFY_ALL 0xfffffff0
#define PART_ALL 0x800037FF

#define REFMSG_TARGET_DELETED 0x00000020
#define REFMSG_CHANGE 0x00000050
#define REFMSG_SUBANIM_STRUCTURE_CHANGED 0x00000102
#define REFMSG_USER 0x00010000

#define REF_MAKER_CLASS_ID 0x000100
#define REF_TARGET_CLASS_ID 0x000200

// The base of SDK objects that publish interfaces; the stand-in's publish none.
class CoreExport InterfaceServer : public MaxHeapOperators {
public:
    virtual ~InterfaceServer();
};

// The root of everything the host animates, lists in track view and deletes. Objects end through
// DeleteThis, never through a plain delete from outside, and are never copied.
class CoreExport Animatable : public InterfaceServer {
protected:
    virtual ~Animatable() = 0;

public:
    Animatable() = default;
    Animatable(const Animatable&) = delete;
    Animatable& operator=(const Animatable&) = delete;

    virtual void DeleteThis();
    virtual void GetClassName(MSTR& s, bool localized) const;
    virtual SClass_ID SuperClassID() = 0;
    virtual Class_ID ClassID();

    virtual int NumSubs() { return 0; }
    virtual Animatable* SubAnim(int) { return nullptr; }
    virtual MSTR SubAnimName(int, bool) { return MSTR(_M("no name")); }
    virtual int SubNumToRefNum(int) { return -1; }
    virtual int NumParamBlocks() { return 0; }
    virtual IParamBlock2* GetParamBlock(int) { return nullptr; }
    virtual IParamBlock2* GetParamBlockByID(BlockID) { return nullptr; }
};

// Chunked scene-file streams: ISave writes nested chunks (16-bit id, 32-bit length), ILoad reads
// them back. Strings are written with their terminator.
class CoreExport ISave : public InterfaceServer {
public:
    virtual void BeginChunk(USHORT id) = 0;
    virtual void EndChunk() = 0;
    virtual int CurChunkDepth() = 0;
    virtual IOResult WriteWString(const wchar_t* str) = 0;
    virtual IOResult Write(const void* buf, ULONG nbytes, ULONG* nwrit) = 0;
};

class CoreExport ILoad : public InterfaceServer {
public:
    // IO_OK when a further chunk follows at this level, IO_END when none, IO_ERROR when the
    // stream is damaged.
    virtual IOResult OpenChunk() = 0;
    virtual USHORT CurChunkID() = 0;
    virtual int CurChunkDepth() = 0;
    virtual IOResult CloseChunk() = 0;
    // Reads the rest of the current chunk as a string; the buffer belongs to the stream.
    virtual IOResult ReadWStringChunk(wchar_t** buf) = 0;
    virtual IOResult Read(void* buf, ULONG nbytes, ULONG* nread) = 0;
};

class CoreExport ReferenceMaker : public Animatable {
    friend class ReferenceTarget;

public:
    ReferenceMaker() = default;

    RefResult ReplaceReference(int which, RefTargetHandle newtarg, BOOL delOld = TRUE);
    RefResult DeleteReference(int i);
    // Releases every reference from and to this object, then deletes it.
    void DeleteMe();

    virtual int NumRefs() { return 0; }
    virtual RefTargetHandle GetReference(int) { return nullptr; }
    virtual IOResult Save(ISave*) { return IO_OK; }
    virtual IOResult Load(ILoad*) { return IO_OK; }
    virtual RefResult NotifyDependents(const Interval& changeInt, PartID partID, RefMessage message,
                                       SClass_ID sclass = NOTIFY_ALL, BOOL propagate = TRUE,
                                       RefTargetHandle hTarg = nullptr);

    void GetClassName(MSTR& s, bool = true) const override { s = _M("ReferenceMaker"); }
    SClass_ID SuperClassID() override { return REF_MAKER_CLASS_ID; }

    // Reports every slot whose GetReference differs from what the reference system installed:
    // the object assigned its member behind the reference system's back, so the target does not
    // know it is referenced and may be deleted under the object, and is neither saved nor cloned.
    void CheckSlots();

protected:
    virtual void SetReference(int, RefTargetHandle) {}
    virtual RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget,
                                       PartID& partID, RefMessage message, BOOL propagate) = 0;
    virtual ~ReferenceMaker() = 0;

private:
    // Forgets what slot holds and returns it (null for nothing).
    ReferenceTarget* LetGoOfSlot(int slot);
    void ReleaseTarget(ReferenceTarget* target, bool deleteWhenOrphaned);
    void ClearSlotsHolding(ReferenceTarget* target);
    bool Reaches(const ReferenceMaker* goal) const;

    bool beingDeleted = false;

    // Entry i is the target the reference system installed in slot i (null for none). The
    // destructor releases them from here, because by then the slots of the derived class are out
    // of reach.
    std::vector<ReferenceTarget*> heldTargets;
};

class CoreExport ReferenceTarget : public ReferenceMaker {
    friend class ReferenceMaker;

public:
    ReferenceTarget() = default;

    virtual RefTargetHandle Clone(RemapDir&) { return nullptr; }
    // The common work of every clone; the host's cloning checks that Clone asked for it.
    virtual void BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap);

    RefResult NotifyDependents(const Interval& changeInt, PartID partID, RefMessage message,
                               SClass_ID sclass = NOTIFY_ALL, BOOL propagate = TRUE,
                               RefTargetHandle hTarg = nullptr) override;

    virtual void RefAdded(RefMakerHandle) {}
    virtual void RefDeleted(ReferenceMaker*) {}

    RefResult DeleteAllRefsToMe();
    // Deletes this target when nothing references it any more.
    RefResult MaybeAutoDelete();
    BOOL HasDependents() const { return dependents.empty() ? FALSE : TRUE; }

    void GetClassName(MSTR& s, bool = true) const override { s = _M("ReferenceTarget"); }
    SClass_ID SuperClassID() override { return REF_TARGET_CLASS_ID; }

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
    virtual void DeleteThis() = 0;
};

// A fresh directory for one cloning operation (null when the heap has no storage for it); the
// caller ends it with DeleteThis.
CoreExport RemapDir* NewRemapDir(BOOL use_A_WORK2_flag = FALSE);
