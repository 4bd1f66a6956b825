// The host's parameter block: the values of one block instance, animated floats with linear
// keys, references of its own and owner-reference parameters.
//
// Evaluation-time reads (GetValue, the Get* shortcuts) take no lock and allocate nothing. Once a
// host tool has reset a block's read count, reads also bump that atomic counter; until then
// render threads share no counter and read as cheaply as in 3ds Max. Writers run on the host's
// UI thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "iparamb2.h"

namespace MaxStandin {

class ParamBlock2 final : public IParamBlock2 {
public:
    struct Key {
        TimeValue time;
        float value;
    };

    // desc may be null for a block created to be loaded; Load finds its descriptor.
    ParamBlock2(ParamBlockDesc2* desc, ReferenceMaker* owner);

    // ReferenceTarget / Animatable
    void GetClassName(MSTR& s, bool localized = true) const override;
    Class_ID ClassID() override;
    int NumRefs() override { return static_cast<int>(refs.size()); }
    RefTargetHandle GetReference(int i) override;
    int NumSubs() override { return NumRefs(); }
    Animatable* SubAnim(int i) override { return GetReference(i); }
    MSTR SubAnimName(int i, bool localized) override;
    RefTargetHandle Clone(RemapDir& remap) override;
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;
    void RefAdded(RefMakerHandle rm) override;
    void RefDeleted(ReferenceMaker* oldOwner) override;

    // IParamBlock2
    BlockID ID() override { return desc ? desc->ID : -1; }
    ReferenceMaker* GetOwner() override { return owner; }
    ParamBlockDesc2* GetDesc() override { return desc; }
    DWORD GetVersion() override { return desc ? desc->version : 0; }
    int NumParams() override { return desc ? desc->count : 0; }
    const MCHAR* GetLocalName() override;
    MSTR GetLocalName(ParamID id, int tabIndex = -1, bool localized = true) override;
    ParamID IndextoID(int i) override { return desc ? desc->IndextoID(i) : -1; }
    int IDtoIndex(ParamID id) override { return desc ? desc->IDtoIndex(id) : -1; }
    ParamType2 GetParameterType(ParamID id) override;
    int Count(ParamID id) override { return IDtoIndex(id) >= 0 ? 1 : 0; }

    BOOL SetValue(ParamID id, TimeValue t, float v, int tabIndex = 0) override;
    BOOL SetValue(ParamID id, TimeValue t, int v, int tabIndex = 0) override;
    BOOL SetValue(ParamID id, TimeValue t, const Point3& v, int tabIndex = 0) override;
    BOOL SetValue(ParamID id, TimeValue t, const Color& v, int tabIndex = 0) override;
    BOOL SetValue(ParamID id, TimeValue t, const AColor& v, int tabIndex = 0) override;
    BOOL SetValue(ParamID id, TimeValue t, const MCHAR* v, int tabIndex = 0) override;
    BOOL SetValue(ParamID id, TimeValue t, Mtl* v, int tabIndex = 0) override;
    BOOL SetValue(ParamID id, TimeValue t, Texmap* v, int tabIndex = 0) override;
    BOOL SetValue(ParamID id, TimeValue t, ReferenceTarget* v, int tabIndex = 0) override;

    BOOL GetValue(ParamID id, TimeValue t, float& v, Interval& ivalid, int tabIndex = 0) override;
    BOOL GetValue(ParamID id, TimeValue t, int& v, Interval& ivalid, int tabIndex = 0) override;
    BOOL GetValue(ParamID id, TimeValue t, Point3& v, Interval& ivalid, int tabIndex = 0) override;
    BOOL GetValue(ParamID id, TimeValue t, Color& v, Interval& ivalid, int tabIndex = 0) override;
    BOOL GetValue(ParamID id, TimeValue t, AColor& v, Interval& ivalid, int tabIndex = 0) override;
    BOOL GetValue(ParamID id, TimeValue t, const MCHAR*& v, Interval& ivalid,
                  int tabIndex = 0) override;
    BOOL GetValue(ParamID id, TimeValue t, Mtl*& v, Interval& ivalid, int tabIndex = 0) override;
    BOOL GetValue(ParamID id, TimeValue t, Texmap*& v, Interval& ivalid, int tabIndex = 0) override;
    BOOL GetValue(ParamID id, TimeValue t, ReferenceTarget*& v, Interval& ivalid,
                  int tabIndex = 0) override;

    float GetFloat(ParamID id, TimeValue t = 0, int tabIndex = 0) override;
    int GetInt(ParamID id, TimeValue t = 0, int tabIndex = 0) override;
    Point3 GetPoint3(ParamID id, TimeValue t = 0, int tabIndex = 0) override;
    Color GetColor(ParamID id, TimeValue t = 0, int tabIndex = 0) override;
    AColor GetAColor(ParamID id, TimeValue t = 0, int tabIndex = 0) override;
    const MCHAR* GetStr(ParamID id, TimeValue t = 0, int tabIndex = 0) override;
    Mtl* GetMtl(ParamID id, TimeValue t = 0, int tabIndex = 0) override;
    Texmap* GetTexmap(ParamID id, TimeValue t = 0, int tabIndex = 0) override;
    ReferenceTarget* GetReferenceTarget(ParamID id, TimeValue t = 0, int tabIndex = 0) override;

    void GetValidity(TimeValue t, Interval& valid) override;
    ParamID LastNotifyParamID() override { return lastNotifyParam; }
    ParamID LastNotifyParamID(int& tabIndex) override;
    void SetMap(IParamMap2* m, MapID map_id = 0) override;
    IParamMap2* GetMap(MapID map_id = 0) override;
    void ResetAll(BOOL updateUI = TRUE, BOOL callSetHandlers = TRUE) override;
    void Reset(ParamID id, int tabIndex = -1, BOOL updateUI = TRUE,
               BOOL callSetHandlers = TRUE) override;
    void CallSets() override {}

    // Host access (HostAccess.h).
    std::uint64_t Reads() const { return reads.load(std::memory_order_relaxed); }
    void ResetReads() {
        reads.store(0, std::memory_order_relaxed);
        counting.store(true, std::memory_order_relaxed);
    }
    bool SetKey(ParamID id, TimeValue t, float value);
    int NumKeys(ParamID id);
    bool GetKey(ParamID id, int index, TimeValue& t, float& value);
    bool ClearKeys(ParamID id);

protected:
    void SetReference(int i, RefTargetHandle rtarg) override;
    RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget, PartID& partID,
                               RefMessage message, BOOL propagate) override;

private:
    // Reports an access with an unknown id, the wrong value kind or a table index on a
    // non-table parameter (no parameter here is a table); answers FALSE. Kept off the read path.
    BOOL AccessFault(ParamID id, int tabIndex, const char* kind);
    // Redraws the open rollouts' controls of id (all of them for -1).
    void RedrawMaps(ParamID id);

    struct Value {
        float f = 0.0f;
        int i = 0;
        std::vector<Key> keys;
        int refSlot = -1;
    };

    ~ParamBlock2() override;
    void BindDesc(ParamBlockDesc2* d);
    // Blocks number their parameters 0, 1, 2... as a rule, so an id is its own index: one
    // comparison instead of a search on every read.
    const ParamDef* Def(ParamID id, int& index) {
        if (desc && id >= 0 && id < desc->count && desc->paramdefs[id].ID == id) {
            index = id;
            return &desc->paramdefs[id];
        }
        return SearchDef(id, index);
    }
    const ParamDef* SearchDef(ParamID id, int& index);
    void SetDefault(int index);
    ReferenceTarget* RefValue(const ParamDef& def, const Value& value);
    BOOL SetRef(ParamID id, ReferenceTarget* v);
    BOOL GetRef(ParamID id, ReferenceTarget*& v);
    void Changed(ParamID id);
    void CountRead() const {
        if (counting.load(std::memory_order_relaxed)) {
            reads.fetch_add(1, std::memory_order_relaxed);
        }
    }

    ParamBlockDesc2* desc = nullptr;
    ReferenceMaker* owner = nullptr;
    std::vector<Value> values;
    std::vector<RefTargetHandle> refs;
    std::vector<IParamMap2*> maps;
    ParamID lastNotifyParam = -1;
    mutable std::atomic<std::uint64_t> reads{0};
    std::atomic<bool> counting{false};
};

// Evaluates linear keys at t and the span in which that value holds.
float EvaluateKeys(const std::vector<ParamBlock2::Key>& keys, TimeValue t, Interval& span);

// Descriptor of the parameter block class, for creating blocks that are then loaded.
ClassDesc* ParamBlock2ClassDesc();

} // namespace MaxStandin
