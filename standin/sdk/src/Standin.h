// The stand-in SDK's own classes: the host's parameter block, parameter map, master dialog and
// standard texture output, and the helpers its sources share. Not part of any include path.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "HostAccess.h"
#include "iparamm2.h"

namespace MaxStandin {

// Records a plug-in fault (and writes it to stderr); thread-safe, so render threads may report.
void ReportFault(maxhost::FaultKind kind, const std::string& message);
// "a Texture" for an object of that class, "nothing" for null: names objects in fault messages.
std::string Describe(Animatable* object);
// The descriptor of the parameter block class, for creating blocks that are then loaded.
ClassDesc* ParamBlock2ClassDesc();
ClassDesc2* StdTexOutClassDesc();
// Block of `obj` that a rollout of pbd shows.
IParamBlock2* BlockOf(ReferenceTarget* obj, ParamBlockDesc2* pbd);

// Reads the chunks at the stream's current level, handing each chunk's id to read; stops at the
// first failure. Running out of chunks is the normal end.
template <typename Read> IOResult ReadChunks(ILoad* iload, Read read) {
    IOResult opened;
    while ((opened = iload->OpenChunk()) == IO_OK) {
        const IOResult result = read(iload->CurChunkID());
        const IOResult closed = iload->CloseChunk();
        if (result != IO_OK || closed != IO_OK) {
            return result != IO_OK ? result : closed;
        }
    }
    return opened == IO_END ? IO_OK : opened;
}

// The host's parameter block: the values of one block instance, animated floats with linear
// keys and reference parameters that name slots of the owner (P_OWNERS_REF).
//
// Evaluation-time reads (GetValue, the Get* shortcuts) take no lock and allocate nothing. Once a
// host tool has reset a block's read count, reads also bump that atomic counter; until then
// render threads share no counter and read as cheaply as in 3ds Max. Writers run on the host's
// UI thread.
class ParamBlock2 final : public IParamBlock2 {
public:
    struct Key {
        TimeValue time;
        float value;
    };

    // desc may be null for a block created to be loaded; Load finds its descriptor.
    ParamBlock2(ParamBlockDesc2* desc, ReferenceMaker* owner);

    void GetClassName(MSTR& s, bool localized = true) const override;
    Class_ID ClassID() override;
    RefTargetHandle Clone(RemapDir& remap) override;
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;
    void RefAdded(RefMakerHandle rm) override;
    void RefDeleted(ReferenceMaker* oldOwner) override;

    BlockID ID() override { return desc ? desc->ID : -1; }
    ReferenceMaker* GetOwner() override { return owner; }
    ParamBlockDesc2* GetDesc() override { return desc; }
    MSTR GetLocalName(ParamID id, int tabIndex = -1, bool localized = true) override;

    BOOL SetValue(ParamID id, TimeValue t, float v, int tabIndex = 0) override;
    BOOL SetValue(ParamID id, TimeValue t, int v, int tabIndex = 0) override;
    BOOL SetValue(ParamID id, TimeValue t, Texmap* v, int tabIndex = 0) override;
    BOOL GetValue(ParamID id, TimeValue t, float& v, Interval& ivalid, int tabIndex = 0) override;
    BOOL GetValue(ParamID id, TimeValue t, int& v, Interval& ivalid, int tabIndex = 0) override;
    BOOL GetValue(ParamID id, TimeValue t, Texmap*& v, Interval& ivalid, int tabIndex = 0) override;
    float GetFloat(ParamID id, TimeValue t = 0, int tabIndex = 0) override;
    int GetInt(ParamID id, TimeValue t = 0, int tabIndex = 0) override;
    Texmap* GetTexmap(ParamID id, TimeValue t = 0, int tabIndex = 0) override;
    ReferenceTarget* GetReferenceTarget(ParamID id, TimeValue t = 0, int tabIndex = 0) override;

    ParamID LastNotifyParamID() override { return lastNotifyParam; }
    void SetMap(IParamMap2* m, MapID map_id = 0) override;
    IParamMap2* GetMap(MapID map_id = 0) override;
    void ResetAll(BOOL updateUI = TRUE, BOOL callSetHandlers = TRUE) override;

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
    // A block holds no references of its own: its reference parameters are the owner's slots.
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage,
                               BOOL) override {
        return REF_SUCCEED;
    }

private:
    struct Value {
        float f = 0.0f;
        int i = 0;
        std::vector<Key> keys;
    };

    ~ParamBlock2() override;
    // Reports an access with an unknown id, the wrong value kind or a table index (no parameter
    // here is a table); answers FALSE. Kept off the read path.
    BOOL AccessFault(ParamID id, int tabIndex, const char* kind);
    // Redraws the open rollouts' controls of id (all of them for -1).
    void RedrawMaps(ParamID id);
    void BindDesc(ParamBlockDesc2* d);
    // Blocks number their parameters 0, 1, 2... as a rule, so an id is its own index: one
    // comparison instead of a search on every read.
    const ParamDef* Def(ParamID id, int& index) {
        if (desc && id >= 0 && id < desc->count && desc->paramdefs[id].ID == id) {
            index = id;
            return &desc->paramdefs[id];
        }
        index = desc ? desc->IDtoIndex(id) : -1;
        return index >= 0 ? &desc->paramdefs[index] : nullptr;
    }
    void SetDefault(int index);
    ReferenceTarget* RefValue(const ParamDef& def);
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
    std::vector<IParamMap2*> maps;
    ParamID lastNotifyParam = -1;
    mutable std::atomic<std::uint64_t> reads{0};
    std::atomic<bool> counting{false};
};

// The host's parameter map: one rollout bound to a parameter block. Controls come from the
// descriptor's p_ui bindings and the rollout's dialog template, and are addressed by dialog
// control id.
class ParamMap2 final : public IParamMap2 {
public:
    ParamMap2(ParamBlockDesc2* desc, MapID mapId, IParamBlock2* block, TimeValue time);

    void Invalidate() override;
    void Invalidate(ParamID id, int tabIndex = 0) override;
    void SetParamBlock(IParamBlock2* pb);
    MapID GetMapID() const { return mapId; }
    HWND GetHWnd() override { return reinterpret_cast<HWND>(this); }
    IParamBlock2* GetParamBlock() override { return block; }
    ParamBlockDesc2* GetDesc() override { return desc; }
    void Enable(ParamID id, BOOL onOff, int tabIndex = 0) override;
    void SetUserDlgProc(ParamMap2UserDlgProc* proc = nullptr) override;
    ParamMap2UserDlgProc* GetUserDlgProc() override { return proc; }
    void SetThing(ReferenceTarget* m) override;

    // Sends WM_DESTROY to the user procedure, deletes it and this map.
    void Destroy();
    // The block is going away; the rollout shows nothing from here on.
    void BlockDeleted() { block = nullptr; }
    maxhost::ControlState* FindControl(int ctrlId);
    const std::vector<maxhost::ControlState>& Controls() const { return controls; }
    int Invalidations(ParamID id) const;
    TimeValue Time() const { return time; }
    INT_PTR SendToProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // The open rollouts, so that user dialog procedures are deleted exactly once, by whoever
    // holds them last; and whether one other than `except` uses proc.
    static std::vector<ParamMap2*>& Open();
    static bool ProcInUse(ParamMap2UserDlgProc* proc, ParamMap2* except);

private:
    ~ParamMap2() override;
    void ReleaseProc(ParamMap2UserDlgProc* old);
    // No parameter here is a table: an index other than 0 (or -1, all entries, where allowed)
    // is a fault of the caller.
    bool TableIndexOk(ParamID id, int tabIndex, bool allEntriesAllowed, const char* operation);

    ParamBlockDesc2* desc;
    MapID mapId;
    IParamBlock2* block = nullptr;
    ParamMap2UserDlgProc* proc = nullptr;
    TimeValue time;
    std::vector<maxhost::ControlState> controls;
    std::map<ParamID, int> invalidations;
};

// The material editor's master dialog: the rollouts of an object's automatic blocks plus the
// secondary dialogs appended to it.
class AutoMParamDlg final : public IAutoMParamDlg {
public:
    AutoMParamDlg(ClassDesc2* cd, ReferenceTarget* thing) : cd(cd), thing(thing) {}

    Class_ID ClassID() override { return thing ? thing->ClassID() : Class_ID(0, 0); }
    void SetThing(ReferenceTarget* m) override;
    ReferenceTarget* GetThing() override { return thing; }
    void DeleteThis() override;
    int NumDlgs() override { return static_cast<int>(subDlgs.size()); }
    void AddDlg(ParamDlg* dlg) override;
    ParamDlg* GetDlg(int i) override;
    IParamMap2* GetMap() override { return maps.empty() ? nullptr : maps.front(); }

    void AddMap(ParamMap2* map) { maps.push_back(map); }
    const std::vector<ParamMap2*>& Maps() const { return maps; }
    // The class descriptor is being destroyed.
    void DescDeleted() { cd = nullptr; }

private:
    ~AutoMParamDlg() override = default;

    ClassDesc2* cd;
    ReferenceTarget* thing;
    std::vector<ParamMap2*> maps;
    std::vector<ParamDlg*> subDlgs;
};

} // namespace MaxStandin
