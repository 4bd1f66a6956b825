// The host's parameter block.
#include "ParamBlock2.h"

#include <algorithm>

#include "ParamMap2.h"
#include "imtl.h"
#include "HostAccess.h"

namespace MaxStandin {

namespace {

std::atomic<bool> animateMode{false};

constexpr USHORT kHeaderChunk = 0x0001;
constexpr USHORT kValueChunk = 0x0002;

template <typename T> bool Put(ISave* isave, const T& value) {
    ULONG written = 0;
    return isave->Write(&value, sizeof(T), &written) == IO_OK;
}

template <typename T> bool Get(ILoad* iload, T& value) {
    ULONG read = 0;
    return iload->Read(&value, sizeof(T), &read) == IO_OK;
}

} // namespace

float EvaluateKeys(const std::vector<ParamBlock2::Key>& keys, TimeValue t, Interval& span) {
    const ParamBlock2::Key& first = keys.front();
    const ParamBlock2::Key& last = keys.back();
    if (t <= first.time) {
        span = Interval(TIME_NegInfinity, first.time);
        return first.value;
    }
    if (t >= last.time) {
        span = Interval(last.time, TIME_PosInfinity);
        return last.value;
    }
    auto after =
        std::upper_bound(keys.begin(), keys.end(), t,
                         [](TimeValue time, const ParamBlock2::Key& k) { return time < k.time; });
    const ParamBlock2::Key& k1 = *after;
    const ParamBlock2::Key& k0 = *(after - 1);
    span.SetInstant(t);
    if (t == k0.time) {
        return k0.value;
    }
    // In double: keys may lie further apart than an int can count.
    const double u = (static_cast<double>(t) - k0.time) / (static_cast<double>(k1.time) - k0.time);
    return static_cast<float>(k0.value + (static_cast<double>(k1.value) - k0.value) * u);
}

ParamBlock2::ParamBlock2(ParamBlockDesc2* d, ReferenceMaker* o) : owner(o) {
    BindDesc(d);
}

ParamBlock2::~ParamBlock2() {
    for (IParamMap2* map : maps) {
        if (auto* hostMap = dynamic_cast<ParamMap2*>(map)) {
            hostMap->BlockDeleted();
        }
    }
}

void ParamBlock2::BindDesc(ParamBlockDesc2* d) {
    desc = d;
    values.assign(d ? d->count : 0, Value());
    refs.clear();
    for (std::size_t i = 0; i < values.size(); ++i) {
        const ParamDef& def = desc->paramdefs[i];
        if (def.IsRefType() && !def.IsOwnersRef()) {
            values[i].refSlot = static_cast<int>(refs.size());
            refs.push_back(nullptr);
        }
        SetDefault(static_cast<int>(i));
    }
}

void ParamBlock2::GetClassName(MSTR& s, bool) const {
    s = _M("ParamBlock2");
}

Class_ID ParamBlock2::ClassID() {
    return Class_ID(PARAMETER_BLOCK2_CLASS_ID, 0);
}

RefTargetHandle ParamBlock2::GetReference(int i) {
    return i >= 0 && i < NumRefs() ? refs[static_cast<std::size_t>(i)] : nullptr;
}

void ParamBlock2::SetReference(int i, RefTargetHandle rtarg) {
    if (i >= 0 && i < NumRefs()) {
        refs[static_cast<std::size_t>(i)] = rtarg;
    }
}

MSTR ParamBlock2::SubAnimName(int i, bool localized) {
    for (std::size_t index = 0; index < values.size(); ++index) {
        if (values[index].refSlot == i) {
            return GetLocalName(desc->paramdefs[index].ID, -1, localized);
        }
    }
    return MSTR();
}

const MCHAR* ParamBlock2::GetLocalName() {
    if (!desc) {
        return _M("");
    }
    const MCHAR* name = desc->cd ? desc->cd->GetRsrcString(desc->local_name) : nullptr;
    return name ? name : desc->int_name.data();
}

MSTR ParamBlock2::GetLocalName(ParamID id, int, bool localized) {
    int index = 0;
    const ParamDef* def = Def(id, index);
    if (!def) {
        return MSTR();
    }
    const MCHAR* name = localized && desc->cd ? desc->cd->GetRsrcString(def->local_name) : nullptr;
    return MSTR(name ? name : def->int_name.data());
}

ParamType2 ParamBlock2::GetParameterType(ParamID id) {
    int index = 0;
    const ParamDef* def = Def(id, index);
    return def ? def->type : static_cast<ParamType2>(TYPE_FLOAT);
}

const ParamDef* ParamBlock2::SearchDef(ParamID id, int& index) {
    index = desc ? desc->IDtoIndex(id) : -1;
    return index >= 0 ? &desc->paramdefs[index] : nullptr;
}

BOOL ParamBlock2::AccessFault(ParamID id, int tabIndex, const char* kind) {
    int index = 0;
    const ParamDef* def = Def(id, index);
    std::string problem;
    if (!def) {
        problem = "has no parameter " + std::to_string(id);
    } else {
        problem =
            "parameter " + std::to_string(id) + " \"" + EncodeUtf8(def->int_name.data()) + "\"";
        if (tabIndex != 0) {
            problem += " is not a table but was given table index " + std::to_string(tabIndex);
        } else {
            problem += " of type " + std::to_string(def->type) + " was accessed as " + kind;
        }
    }
    const std::string block = desc ? EncodeUtf8(desc->int_name.data()) : std::string();
    MaxStandin::HostAccess::ReportFault(MaxStandin::HostAccess::FaultKind::ParamAccess,
                                        "parameter block \"" + block + "\" " + problem);
    return FALSE;
}

void ParamBlock2::SetDefault(int index) {
    const ParamDef& def = desc->paramdefs[index];
    Value& value = values[static_cast<std::size_t>(index)];
    value.keys.clear();
    value.f = def.IsFloatType() ? def.def.f : 0.0f;
    value.i = def.IsIntType() ? def.def.i : 0;
    if (value.refSlot >= 0) {
        DeleteReference(value.refSlot);
    }
}

void ParamBlock2::Changed(ParamID id) {
    lastNotifyParam = id;
    NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
}

// ---- floats and ints --------------------------------------------------------------------

BOOL ParamBlock2::SetValue(ParamID id, TimeValue t, float v, int tabIndex) {
    int index = 0;
    const ParamDef* def = Def(id, index);
    if (!def || !def->IsFloatType() || tabIndex != 0) {
        return AccessFault(id, tabIndex, "float");
    }
    Value& value = values[static_cast<std::size_t>(index)];
    const bool animatable = (def->flags & P_ANIMATABLE) != 0;
    if (!value.keys.empty()) {
        SetKey(id, t, v);
        return TRUE;
    }
    if (animatable && t != 0 && animateMode.load(std::memory_order_relaxed)) {
        value.keys = {Key{0, value.f}, Key{t, v}};
        std::sort(value.keys.begin(), value.keys.end(),
                  [](const Key& a, const Key& b) { return a.time < b.time; });
    } else {
        value.f = v;
    }
    Changed(id);
    return TRUE;
}

BOOL ParamBlock2::SetValue(ParamID id, TimeValue, int v, int tabIndex) {
    int index = 0;
    const ParamDef* def = Def(id, index);
    if (!def || !def->IsIntType() || tabIndex != 0) {
        return AccessFault(id, tabIndex, "int");
    }
    values[static_cast<std::size_t>(index)].i = v;
    Changed(id);
    return TRUE;
}

BOOL ParamBlock2::GetValue(ParamID id, TimeValue t, float& v, Interval& ivalid, int tabIndex) {
    CountRead();
    int index = 0;
    const ParamDef* def = Def(id, index);
    if (!def || !def->IsFloatType() || tabIndex != 0) {
        return AccessFault(id, tabIndex, "float");
    }
    const Value& value = values[static_cast<std::size_t>(index)];
    if (value.keys.size() >= 2) {
        Interval span;
        v = EvaluateKeys(value.keys, t, span);
        ivalid &= span;
    } else {
        v = value.keys.empty() ? value.f : value.keys.front().value;
    }
    return TRUE;
}

// Int parameters are not animated here: a value holds for all time and narrows nothing.
BOOL ParamBlock2::GetValue(ParamID id, TimeValue, int& v, Interval&, int tabIndex) {
    CountRead();
    int index = 0;
    const ParamDef* def = Def(id, index);
    if (!def || !def->IsIntType() || tabIndex != 0) {
        return AccessFault(id, tabIndex, "int");
    }
    v = values[static_cast<std::size_t>(index)].i;
    return TRUE;
}

float ParamBlock2::GetFloat(ParamID id, TimeValue t, int tabIndex) {
    float v = 0.0f;
    Interval ivalid; // FOREVER, set in place: a render thread's read makes no further call
    ivalid.SetInfinite();
    GetValue(id, t, v, ivalid, tabIndex);
    return v;
}

int ParamBlock2::GetInt(ParamID id, TimeValue t, int tabIndex) {
    int v = 0;
    Interval ivalid = FOREVER;
    GetValue(id, t, v, ivalid, tabIndex);
    return v;
}

// ---- references -------------------------------------------------------------------------

ReferenceTarget* ParamBlock2::RefValue(const ParamDef& def, const Value& value) {
    if (!def.IsOwnersRef()) {
        return value.refSlot >= 0 ? refs[static_cast<std::size_t>(value.refSlot)] : nullptr;
    }
    if (!owner || def.refno >= owner->NumRefs()) {
        return nullptr;
    }
    return owner->GetReference(def.refno);
}

BOOL ParamBlock2::SetRef(ParamID id, ReferenceTarget* v) {
    int index = 0;
    const ParamDef* def = Def(id, index);
    if (!def || !def->IsRefType()) {
        return AccessFault(id, 0, "a reference");
    }
    if (v && def->type == TYPE_TEXMAP && !dynamic_cast<Texmap*>(v)) {
        return AccessFault(id, 0, "a reference to an object that is not a texture map");
    }
    RefResult result = REF_FAIL;
    if (def->IsOwnersRef()) {
        result = owner ? owner->ReplaceReference(def->refno, v, TRUE) : REF_FAIL;
    } else {
        result = ReplaceReference(values[static_cast<std::size_t>(index)].refSlot, v, TRUE);
    }
    if (result != REF_SUCCEED) {
        return FALSE;
    }
    Changed(id);
    return TRUE;
}

BOOL ParamBlock2::GetRef(ParamID id, ReferenceTarget*& v) {
    CountRead();
    int index = 0;
    const ParamDef* def = Def(id, index);
    if (!def || !def->IsRefType()) {
        return AccessFault(id, 0, "a reference");
    }
    v = RefValue(*def, values[static_cast<std::size_t>(index)]);
    return TRUE;
}

BOOL ParamBlock2::SetValue(ParamID id, TimeValue, Texmap* v, int tabIndex) {
    return tabIndex != 0 ? AccessFault(id, tabIndex, "a texture map") : SetRef(id, v);
}

BOOL ParamBlock2::SetValue(ParamID id, TimeValue, ReferenceTarget* v, int tabIndex) {
    return tabIndex != 0 ? AccessFault(id, tabIndex, "a reference") : SetRef(id, v);
}

// References are not animated: what a slot holds holds for all time and narrows nothing.
BOOL ParamBlock2::GetValue(ParamID id, TimeValue, Texmap*& v, Interval&, int tabIndex) {
    int index = 0;
    const ParamDef* def = Def(id, index);
    if ((def && def->IsRefType() && def->type != TYPE_TEXMAP) || tabIndex != 0) {
        return AccessFault(id, tabIndex, "a texture map");
    }
    ReferenceTarget* ref = nullptr;
    if (!GetRef(id, ref)) {
        return FALSE;
    }
    v = dynamic_cast<Texmap*>(ref);
    return TRUE;
}

BOOL ParamBlock2::GetValue(ParamID id, TimeValue, ReferenceTarget*& v, Interval&, int tabIndex) {
    return tabIndex != 0 ? AccessFault(id, tabIndex, "a reference") : GetRef(id, v);
}

Texmap* ParamBlock2::GetTexmap(ParamID id, TimeValue t, int tabIndex) {
    Texmap* v = nullptr;
    Interval ivalid = FOREVER;
    GetValue(id, t, v, ivalid, tabIndex);
    return v;
}

ReferenceTarget* ParamBlock2::GetReferenceTarget(ParamID id, TimeValue, int tabIndex) {
    ReferenceTarget* v = nullptr;
    if (tabIndex != 0) {
        AccessFault(id, tabIndex, "a reference");
    } else {
        GetRef(id, v);
    }
    return v;
}

// ---- value kinds the descriptor never accepts: no parameter can hold them ----------------

BOOL ParamBlock2::SetValue(ParamID id, TimeValue, const Point3&, int tabIndex) {
    return AccessFault(id, tabIndex, "Point3");
}
BOOL ParamBlock2::SetValue(ParamID id, TimeValue, const Color&, int tabIndex) {
    return AccessFault(id, tabIndex, "Color");
}
BOOL ParamBlock2::SetValue(ParamID id, TimeValue, const AColor&, int tabIndex) {
    return AccessFault(id, tabIndex, "AColor");
}
BOOL ParamBlock2::SetValue(ParamID id, TimeValue, const MCHAR*, int tabIndex) {
    return AccessFault(id, tabIndex, "a string");
}
BOOL ParamBlock2::SetValue(ParamID id, TimeValue, Mtl*, int tabIndex) {
    return AccessFault(id, tabIndex, "a material");
}
BOOL ParamBlock2::GetValue(ParamID id, TimeValue, Point3&, Interval&, int tabIndex) {
    return AccessFault(id, tabIndex, "Point3");
}
BOOL ParamBlock2::GetValue(ParamID id, TimeValue, Color&, Interval&, int tabIndex) {
    return AccessFault(id, tabIndex, "Color");
}
BOOL ParamBlock2::GetValue(ParamID id, TimeValue, AColor&, Interval&, int tabIndex) {
    return AccessFault(id, tabIndex, "AColor");
}
BOOL ParamBlock2::GetValue(ParamID id, TimeValue, const MCHAR*&, Interval&, int tabIndex) {
    return AccessFault(id, tabIndex, "a string");
}
BOOL ParamBlock2::GetValue(ParamID id, TimeValue, Mtl*&, Interval&, int tabIndex) {
    return AccessFault(id, tabIndex, "a material");
}
Point3 ParamBlock2::GetPoint3(ParamID id, TimeValue, int tabIndex) {
    AccessFault(id, tabIndex, "Point3");
    return Point3();
}
Color ParamBlock2::GetColor(ParamID id, TimeValue, int tabIndex) {
    AccessFault(id, tabIndex, "Color");
    return Color();
}
AColor ParamBlock2::GetAColor(ParamID id, TimeValue, int tabIndex) {
    AccessFault(id, tabIndex, "AColor");
    return AColor();
}
const MCHAR* ParamBlock2::GetStr(ParamID id, TimeValue, int tabIndex) {
    AccessFault(id, tabIndex, "a string");
    return nullptr;
}
Mtl* ParamBlock2::GetMtl(ParamID id, TimeValue, int tabIndex) {
    AccessFault(id, tabIndex, "a material");
    return nullptr;
}

// ---- block-wide operations -------------------------------------------------------------

void ParamBlock2::GetValidity(TimeValue t, Interval& valid) {
    for (const Value& value : values) {
        if (value.keys.size() < 2) {
            continue;
        }
        Interval span;
        EvaluateKeys(value.keys, t, span);
        valid &= span;
    }
}

ParamID ParamBlock2::LastNotifyParamID(int& tabIndex) {
    tabIndex = 0;
    return lastNotifyParam;
}

void ParamBlock2::SetMap(IParamMap2* m, MapID map_id) {
    if (map_id < 0) {
        return;
    }
    if (static_cast<std::size_t>(map_id) >= maps.size()) {
        maps.resize(static_cast<std::size_t>(map_id) + 1, nullptr);
    }
    maps[static_cast<std::size_t>(map_id)] = m;
}

IParamMap2* ParamBlock2::GetMap(MapID map_id) {
    return map_id >= 0 && static_cast<std::size_t>(map_id) < maps.size()
               ? maps[static_cast<std::size_t>(map_id)]
               : nullptr;
}

void ParamBlock2::ResetAll(BOOL updateUI, BOOL) {
    // Owner-reference parameters name the owner's references; the owner resets those itself.
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!desc->paramdefs[i].IsOwnersRef()) {
            SetDefault(static_cast<int>(i));
        }
    }
    Changed(-1);
    if (updateUI) {
        RedrawMaps(-1);
    }
}

void ParamBlock2::Reset(ParamID id, int, BOOL updateUI, BOOL) {
    int index = 0;
    const ParamDef* def = Def(id, index);
    if (!def || def->IsOwnersRef()) {
        return;
    }
    SetDefault(index);
    Changed(id);
    if (updateUI) {
        RedrawMaps(id);
    }
}

void ParamBlock2::RedrawMaps(ParamID id) {
    for (IParamMap2* map : maps) {
        if (!map) {
            continue;
        }
        if (id < 0) {
            map->Invalidate();
        } else {
            map->Invalidate(id, -1);
        }
    }
}

RefResult ParamBlock2::NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&,
                                        RefMessage message, BOOL) {
    if (message != REFMSG_CHANGE) {
        return REF_SUCCEED;
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i].refSlot >= 0 &&
            refs[static_cast<std::size_t>(values[i].refSlot)] == hTarget) {
            lastNotifyParam = desc->paramdefs[i].ID;
        }
    }
    return REF_SUCCEED;
}

void ParamBlock2::RefAdded(RefMakerHandle rm) {
    // A block made for cloning or loading belongs to whoever installs it first.
    if (!owner) {
        owner = rm;
    }
}

void ParamBlock2::RefDeleted(ReferenceMaker* oldOwner) {
    if (oldOwner == owner) {
        owner = nullptr;
    }
}

// ---- keys ---------------------------------------------------------------------------------

bool ParamBlock2::SetKey(ParamID id, TimeValue t, float v) {
    int index = 0;
    const ParamDef* def = Def(id, index);
    if (!def || !def->IsFloatType() || !(def->flags & P_ANIMATABLE)) {
        return false;
    }
    std::vector<Key>& keys = values[static_cast<std::size_t>(index)].keys;
    auto at = std::lower_bound(keys.begin(), keys.end(), t,
                               [](const Key& k, TimeValue time) { return k.time < time; });
    if (at != keys.end() && at->time == t) {
        at->value = v;
    } else {
        keys.insert(at, Key{t, v});
    }
    Changed(id);
    return true;
}

int ParamBlock2::NumKeys(ParamID id) {
    int index = 0;
    return Def(id, index) ? static_cast<int>(values[static_cast<std::size_t>(index)].keys.size())
                          : 0;
}

bool ParamBlock2::GetKey(ParamID id, int index, TimeValue& t, float& value) {
    int param = 0;
    if (!Def(id, param) || index < 0 || index >= NumKeys(id)) {
        return false;
    }
    const Key& key = values[static_cast<std::size_t>(param)].keys[static_cast<std::size_t>(index)];
    t = key.time;
    value = key.value;
    return true;
}

bool ParamBlock2::ClearKeys(ParamID id) {
    int index = 0;
    const ParamDef* def = Def(id, index);
    if (!def || !def->IsFloatType()) {
        return false;
    }
    Value& value = values[static_cast<std::size_t>(index)];
    if (value.keys.empty()) {
        return true;
    }
    Interval span;
    value.f = EvaluateKeys(value.keys, 0, span);
    value.keys.clear();
    Changed(id);
    return true;
}

// ---- cloning and persistence ---------------------------------------------------------------

RefTargetHandle ParamBlock2::Clone(RemapDir& remap) {
    auto* clone = new (std::nothrow) ParamBlock2(desc, nullptr);
    if (!clone) {
        return nullptr;
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        clone->values[i].f = values[i].f;
        clone->values[i].i = values[i].i;
        clone->values[i].keys = values[i].keys;
    }
    for (int slot = 0; slot < NumRefs(); ++slot) {
        clone->ReplaceReference(slot, remap.CloneRef(refs[static_cast<std::size_t>(slot)]));
    }
    BaseClone(this, clone, remap);
    return clone;
}

IOResult ParamBlock2::Save(ISave* isave) {
    ClassDesc2* cd = desc ? desc->cd : nullptr;
    if (!cd) {
        return IO_ERROR;
    }
    const Class_ID cid = cd->ClassID();
    isave->BeginChunk(kHeaderChunk);
    const bool head = Put(isave, static_cast<unsigned int>(cd->SuperClassID())) &&
                      Put(isave, static_cast<unsigned int>(cid.PartA())) &&
                      Put(isave, static_cast<unsigned int>(cid.PartB())) &&
                      Put(isave, static_cast<short>(desc->ID)) &&
                      Put(isave, static_cast<unsigned int>(desc->version));
    isave->EndChunk();
    if (!head) {
        return IO_ERROR;
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        const ParamDef& def = desc->paramdefs[i];
        if (def.IsRefType()) {
            continue;
        }
        const Value& value = values[i];
        isave->BeginChunk(kValueChunk);
        bool ok = Put(isave, static_cast<short>(def.ID)) &&
                  Put(isave, static_cast<int>(def.type)) && Put(isave, value.f) &&
                  Put(isave, value.i) && Put(isave, static_cast<int>(value.keys.size()));
        for (const Key& key : value.keys) {
            ok = ok && Put(isave, static_cast<int>(key.time)) && Put(isave, key.value);
        }
        isave->EndChunk();
        if (!ok) {
            return IO_ERROR;
        }
    }
    return IO_OK;
}

namespace {

ParamBlockDesc2* FindDesc(unsigned int sclass, unsigned int a, unsigned int b, short id) {
    ClassDesc* cd = MaxStandin::HostAccess::FindClass(sclass, Class_ID(a, b));
    return cd ? cd->GetParamBlockDescByID(id) : nullptr;
}

} // namespace

IOResult ParamBlock2::Load(ILoad* iload) {
    IOResult opened;
    while ((opened = iload->OpenChunk()) == IO_OK) {
        bool ok = true;
        if (iload->CurChunkID() == kHeaderChunk) {
            unsigned int sclass = 0, a = 0, b = 0, version = 0;
            short id = 0;
            ok = Get(iload, sclass) && Get(iload, a) && Get(iload, b) && Get(iload, id) &&
                 Get(iload, version);
            ParamBlockDesc2* found = ok ? FindDesc(sclass, a, b, id) : nullptr;
            // A block whose class is not loaded cannot be rebuilt.
            ok = found && (desc == found || desc == nullptr);
            if (ok && desc != found) {
                BindDesc(found);
            }
        } else if (iload->CurChunkID() == kValueChunk) {
            short id = 0;
            int type = 0, count = 0;
            Value loaded;
            ok = desc && Get(iload, id) && Get(iload, type) && Get(iload, loaded.f) &&
                 Get(iload, loaded.i) && Get(iload, count) && count >= 0;
            // Keys are read one by one: the chunk's own length bounds them, not `count`.
            for (int k = 0; ok && k < count; ++k) {
                Key key{0, 0.0f};
                ok = Get(iload, key.time) && Get(iload, key.value);
                if (ok) {
                    loaded.keys.push_back(key);
                }
            }
            int index = 0;
            const ParamDef* def = ok ? Def(id, index) : nullptr;
            // Parameters that no longer exist or changed type keep their defaults.
            if (def && def->type == type) {
                std::stable_sort(loaded.keys.begin(), loaded.keys.end(),
                                 [](const Key& x, const Key& y) { return x.time < y.time; });
                Value& value = values[static_cast<std::size_t>(index)];
                value.f = loaded.f;
                value.i = loaded.i;
                value.keys = def->IsFloatType() ? loaded.keys : std::vector<Key>();
            }
        }
        const IOResult closed = iload->CloseChunk();
        if (!ok || closed != IO_OK) {
            return IO_ERROR;
        }
    }
    if (opened != IO_END || !desc) {
        return IO_ERROR;
    }
    return IO_OK;
}

// ---- the class ------------------------------------------------------------------------------

namespace {

class ParamBlock2Desc : public ClassDesc {
public:
    int IsPublic() override { return FALSE; }
    void* Create(BOOL) override {
        return static_cast<ReferenceTarget*>(new (std::nothrow) ParamBlock2(nullptr, nullptr));
    }
    const MCHAR* ClassName() override { return _M("ParamBlock2"); }
    const MCHAR* NonLocalizedClassName() override { return _M("ParamBlock2"); }
    SClass_ID SuperClassID() override { return PARAMETER_BLOCK2_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(PARAMETER_BLOCK2_CLASS_ID, 0); }
    const MCHAR* Category() override { return _M(""); }
};

} // namespace

ClassDesc* ParamBlock2ClassDesc() {
    static ParamBlock2Desc desc;
    return &desc;
}

} // namespace MaxStandin

// ---- host access ---------------------------------------------------------------------------

namespace MaxStandin {
namespace HostAccess {

namespace {

ParamBlock2* SdkBlock(IParamBlock2* pb) {
    return dynamic_cast<ParamBlock2*>(pb);
}

} // namespace

std::uint64_t ParamBlockReads(IParamBlock2* pb) {
    ParamBlock2* block = SdkBlock(pb);
    return block ? block->Reads() : 0;
}

void ResetParamBlockReads(IParamBlock2* pb) {
    if (ParamBlock2* block = SdkBlock(pb)) {
        block->ResetReads();
    }
}

bool SetKey(IParamBlock2* pb, ParamID id, TimeValue t, float value) {
    ParamBlock2* block = SdkBlock(pb);
    return block && block->SetKey(id, t, value);
}

int NumKeys(IParamBlock2* pb, ParamID id) {
    ParamBlock2* block = SdkBlock(pb);
    return block ? block->NumKeys(id) : 0;
}

bool GetKey(IParamBlock2* pb, ParamID id, int index, TimeValue& t, float& value) {
    ParamBlock2* block = SdkBlock(pb);
    return block && block->GetKey(id, index, t, value);
}

bool ClearKeys(IParamBlock2* pb, ParamID id) {
    ParamBlock2* block = SdkBlock(pb);
    return block && block->ClearKeys(id);
}

void SetAnimateMode(bool on) {
    animateMode.store(on, std::memory_order_relaxed);
}

bool AnimateMode() {
    return animateMode.load(std::memory_order_relaxed);
}

} // namespace HostAccess
} // namespace MaxStandin
