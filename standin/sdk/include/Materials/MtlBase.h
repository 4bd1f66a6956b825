// MtlBase: what materials, texture maps and output objects share: a name, a G-buffer id, the
// shading requirements and the editor dialog.
#pragma once

#include "../bitarray.h"
#include "../ioapi.h"
#include "../ref.h"
#include "ISubMap.h"

class IMtlParams;
class ParamDlg;

#define MTLREQ_2SIDE (1 << 0)
#define MTLREQ_WIRE (1 << 1)
#define MTLREQ_WIRE_ABS (1 << 2)
#define MTLREQ_TRANSP (1 << 3)
#define MTLREQ_UV (1 << 4)
#define MTLREQ_FACEMAP (1 << 5)
#define MTLREQ_XYZ (1 << 6)
#define MTLREQ_OXYZ (1 << 7)
#define MTLREQ_BUMPUV (1 << 8)
#define MTLREQ_BGCOL (1 << 9)
#define MTLREQ_PHONG (1 << 10)
#define MTLREQ_AUTOREFLECT (1 << 11)
#define MTLREQ_AUTOMIRROR (1 << 12)
#define MTLREQ_NOATMOS (1 << 13)
#define MTLREQ_ADDITIVE_TRANSP (1 << 14)
#define MTLREQ_VIEW_DEP (1 << 15)

#define MTL_IN_SCENE (1 << 0)
#define MTL_BEING_EDITED (1 << 1)
#define MTL_SUB_BEING_EDITED (1 << 2)

class CoreExport MtlBase : public ReferenceTarget, public ISubMap {
    MSTR name;
    ULONG mtlFlags = 0;

public:
    // G-buffer effect id of the object; 0 means none.
    ULONG gbufID = 0;

    MtlBase() = default;
    ~MtlBase() override;

    MSTR& GetName() { return name; }
    void SetName(MSTR s) { name = s; }
    virtual MSTR GetFullName(bool localized);
    MAX_DEPRECATED virtual MSTR GetFullName() MAX_SEALED;

    void SetMtlFlag(int mask, BOOL val = TRUE);
    void ClearMtlFlag(int mask) { SetMtlFlag(mask, FALSE); }
    int TestMtlFlag(int mask) { return (mtlFlags & static_cast<ULONG>(mask)) ? 1 : 0; }
    ULONG GetGBufID() { return gbufID; }
    void SetGBufID(ULONG id) { gbufID = id; }

    // Copies the base data (name, flags, G-buffer id); used by Clone.
    MtlBase& operator=(const MtlBase& m);

    virtual ULONG Requirements(int subMtlNum);
    virtual ULONG LocalRequirements(int /*subMtlNum*/) { return 0; }
    virtual void MappingsRequired(int subMtlNum, BitArray& mapreq, BitArray& bumpreq);
    virtual void LocalMappingsRequired(int /*subMtlNum*/, BitArray& /*mapreq*/,
                                       BitArray& /*bumpreq*/) {}

    virtual void Update(TimeValue t, Interval& valid) = 0;
    // For callers with no interval of their own to narrow.
    void Update(TimeValue t, Interval&& valid = FOREVER) { Update(t, valid); }
    virtual void Reset() = 0;
    virtual Interval Validity(TimeValue t) = 0;
    virtual ParamDlg* CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp) = 0;

    // Write and read the base data, each item in a chunk of its own.
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;

    int MapSlotType(int /*i*/) override { return MAPSLOT_TEXTURE; }
    ReferenceTarget* GetRefTarget() override { return this; }
    void BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap) override;
    Class_ID ClassID() override;
};
