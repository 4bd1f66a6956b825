// Parameter blocks and their descriptors: class descriptors, the tag-list parser, the host's
// parameter block with its keys, and their cloning and persistence.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <map>
#include <stdexcept>

#include "Standin.h"

// ---- class descriptors ---------------------------------------------------------------------

ClassDesc::~ClassDesc() = default;

ClassDesc2::ClassDesc2() = default;

ClassDesc2::~ClassDesc2() {
    for (ParamBlockDesc2* pbd : pbDescs) {
        pbd->cd = nullptr;
    }
    for (IAutoMParamDlg* dlg : masterDlgs) {
        static_cast<MaxStandin::AutoMParamDlg*>(dlg)->DescDeleted();
    }
}

void ClassDesc2::MakeAutoParamBlocks(ReferenceMaker* owner) {
    if (!owner) {
        return;
    }
    for (ParamBlockDesc2* pbd : pbDescs) {
        if (!(pbd->flags & P_AUTO_CONSTRUCT)) {
            continue;
        }
        MaxStandin::ParamBlock2* pb = new (std::nothrow) MaxStandin::ParamBlock2(pbd, owner);
        if (!pb) {
            continue;
        }
        if (owner->ReplaceReference(pbd->ref_no, pb) != REF_SUCCEED) {
            pb->MaybeAutoDelete();
        }
    }
}

void ClassDesc2::Reset(ReferenceMaker* owner, BOOL updateUI, BOOL callSetHandlers) {
    ReferenceTarget* target = dynamic_cast<ReferenceTarget*>(owner);
    for (ParamBlockDesc2* pbd : pbDescs) {
        if (!(pbd->flags & P_AUTO_CONSTRUCT)) {
            continue;
        }
        if (IParamBlock2* pb = MaxStandin::BlockOf(target, pbd)) {
            pb->ResetAll(updateUI, callSetHandlers);
        }
    }
}

int ClassDesc2::NumParamBlockDescs() {
    return static_cast<int>(pbDescs.size());
}

ParamBlockDesc2* ClassDesc2::GetParamBlockDesc(int i) {
    return i >= 0 && i < NumParamBlockDescs() ? pbDescs[static_cast<std::size_t>(i)] : nullptr;
}

ParamBlockDesc2* ClassDesc2::GetParamBlockDescByID(BlockID id) {
    for (ParamBlockDesc2* pbd : pbDescs) {
        if (pbd->ID == id) {
            return pbd;
        }
    }
    return nullptr;
}

ParamBlockDesc2* ClassDesc2::GetParamBlockDescByName(const MCHAR* name) {
    for (ParamBlockDesc2* pbd : pbDescs) {
        if (name && pbd->int_name == name) {
            return pbd;
        }
    }
    return nullptr;
}

void ClassDesc2::AddParamBlockDesc(ParamBlockDesc2* pbd) {
    if (!pbd || std::find(pbDescs.begin(), pbDescs.end(), pbd) != pbDescs.end()) {
        return;
    }
    pbDescs.push_back(pbd);
    pbd->cd = this;
}

void ClassDesc2::RemoveParamBlockDesc(ParamBlockDesc2* pbd) {
    pbDescs.erase(std::remove(pbDescs.begin(), pbDescs.end(), pbd), pbDescs.end());
}

namespace {

MaxStandin::ParamMap2* OpenMap(ParamBlockDesc2* pbd, const ParamBlockDesc2::MapSpec& mapDef,
                               ReferenceTarget* obj, IMtlParams* imp) {
    const TimeValue time = imp ? imp->GetTime() : 0;
    auto* map = new (std::nothrow)
        MaxStandin::ParamMap2(pbd, mapDef.map_id, MaxStandin::BlockOf(obj, pbd), time);
    if (!map) {
        return nullptr;
    }
    // A procedure still serving another open rollout cannot be shared.
    if (mapDef.dlgProc && !MaxStandin::ParamMap2::ProcInUse(mapDef.dlgProc, map)) {
        map->SetUserDlgProc(mapDef.dlgProc);
    }
    map->SendToProc(WM_INITDIALOG, 0, 0);
    return map;
}

} // namespace

IAutoMParamDlg* ClassDesc2::CreateParamDlgs(HWND, IMtlParams* imp, ReferenceTarget* obj) {
    auto* master = new (std::nothrow) MaxStandin::AutoMParamDlg(this, obj);
    if (!master) {
        return nullptr;
    }
    for (ParamBlockDesc2* pbd : pbDescs) {
        if (!(pbd->flags & P_AUTO_UI)) {
            continue;
        }
        ParamBlockDesc2::MapSpec* mapDef = pbd->GetMapSpec(0);
        if (MaxStandin::ParamMap2* map = mapDef ? OpenMap(pbd, *mapDef, obj, imp) : nullptr) {
            master->AddMap(map);
        }
    }
    masterDlgs.push_back(master);
    return master;
}

void ClassDesc2::MasterDlgDeleted(IAutoMParamDlg* dlg) {
    masterDlgs.erase(std::remove(masterDlgs.begin(), masterDlgs.end(), dlg), masterDlgs.end());
}

void ClassDesc2::InvalidateUI(ParamBlockDesc2* pbd, ParamID id, int tabIndex) {
    for (IAutoMParamDlg* dlg : masterDlgs) {
        for (MaxStandin::ParamMap2* map : static_cast<MaxStandin::AutoMParamDlg*>(dlg)->Maps()) {
            if (map->GetDesc() == pbd) {
                map->Invalidate(id, tabIndex);
            }
        }
    }
}

IParamMap2* ClassDesc2::GetParamMap(ParamBlockDesc2* pbd, MapID map_id) {
    for (auto dlg = masterDlgs.rbegin(); dlg != masterDlgs.rend(); ++dlg) {
        for (MaxStandin::ParamMap2* map : static_cast<MaxStandin::AutoMParamDlg*>(*dlg)->Maps()) {
            if (map->GetDesc() == pbd && map->GetMapID() == map_id) {
                return map;
            }
        }
    }
    return nullptr;
}

// ---- the tag list ----------------------------------------------------------------------------

namespace {

std::string KindName(const MaxStandin::DescArg& arg) {
    using Kind = MaxStandin::DescArg::Kind;
    switch (arg.kind) {
    case Kind::End:
        return "nothing";
    case Kind::Int:
        return "an int (" + std::to_string(arg.integer) + ")";
    case Kind::Real:
        return "a float";
    case Kind::WString:
        return "a wide string";
    case Kind::NarrowString:
        return "a narrow (char) string";
    case Kind::Pointer:
        return "a pointer";
    case Kind::Other:
        break;
    }
    return "a value of another type (a Class_ID or an object passed by value)";
}

std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

// A tag is named by its offset from p_default, as the SDK's ParamTags enumeration counts them.
std::string TagName(int tag) {
    switch (tag) {
    case p_default:
        return "p_default";
    case p_range:
        return "p_range";
    case p_ui:
        return "p_ui";
    case p_refno:
        return "p_refno";
    case p_subtexno:
        return "p_subtexno";
    default:
        return tag >= p_default && tag < p_end
                   ? "p_default+" + std::to_string(static_cast<long long>(tag) - p_default)
                   : std::to_string(tag);
    }
}

} // namespace

// Reads a descriptor's tag list in the order and with the types the SDK reads it, but only the
// shapes this host models: the block head of P_AUTO_CONSTRUCT and P_AUTO_UI (one rollout); float,
// bool, texture-map and reference-target parameters, P_ANIMATABLE or P_OWNERS_REF; and the tags
// p_default, p_range, p_ui (float spinner, single check box, map button), p_refno and p_subtexno.
// Anything else is refused with a message naming it and where: a plug-in that relies on what the
// host does not model fails loudly instead of being misread.
class ParamBlockDescParser {
public:
    ParamBlockDescParser(ParamBlockDesc2& desc, const MaxStandin::DescArg* args, std::size_t count)
        : desc(desc), args(args), count(count) {}

    // Reads the whole list; throws the refusal's message.
    void Run();

    static ParamBlockDesc2* Make(BlockID id, const MCHAR* intName, StringResID localName,
                                 ClassDesc2* cd, USHORT flags, const MaxStandin::DescArg* args,
                                 std::size_t count) {
        auto* desc = new ParamBlockDesc2(id, intName, localName, flags);
        desc->cd = cd;
        desc->Build(args, count);
        return desc;
    }

private:
    void ReadRollout();
    void ReadParam(int id);
    void ReadTag(ParamDef& def, int tag);
    void ReadUi(ParamDef& def);
    void CheckParam(const ParamDef& def);

    const MaxStandin::DescArg& Next(const std::string& what);
    [[noreturn]] void Mismatch(const MaxStandin::DescArg& arg, const std::string& expected,
                               const std::string& what);
    int Int(const std::string& what);
    short Short(const std::string& what);
    float Real(const std::string& what);
    const void* Pointer(const std::string& what);
    [[noreturn]] void Fail(const std::string& message);

    ParamBlockDesc2& desc;
    const MaxStandin::DescArg* args;
    std::size_t count;
    std::size_t next = 0;
    std::string context;
};

void ParamBlockDescParser::Fail(const std::string& message) {
    throw std::runtime_error("ParamBlockDesc2 \"" + winres::ToUtf8(desc.int_name.data()) +
                             "\" (block " + std::to_string(desc.ID) + ")" +
                             (context.empty() ? "" : ", " + context) + ": " + message);
}

const MaxStandin::DescArg& ParamBlockDescParser::Next(const std::string& what) {
    if (next >= count) {
        Fail("the argument list ends where " + what + " is expected (is a p_end missing?)");
    }
    return args[next++];
}

void ParamBlockDescParser::Mismatch(const MaxStandin::DescArg& arg, const std::string& expected,
                                    const std::string& what) {
    Fail("argument " + std::to_string(next + 5) + " (" + what + ") is " + KindName(arg) + ", but " +
         expected + " is read there");
}

int ParamBlockDescParser::Int(const std::string& what) {
    const MaxStandin::DescArg& arg = Next(what);
    if (arg.kind != MaxStandin::DescArg::Kind::Int) {
        Mismatch(arg, "an int", what);
    }
    if (arg.integer < INT_MIN || arg.integer > INT_MAX) {
        Mismatch(arg, "an int (this value does not fit one)", what);
    }
    return static_cast<int>(arg.integer);
}

short ParamBlockDescParser::Short(const std::string& what) {
    const int value = Int(what);
    if (value < SHRT_MIN || value > SHRT_MAX) {
        Fail(what + " " + std::to_string(value) + " is out of range");
    }
    return static_cast<short>(value);
}

// A float value, which reaches the SDK's C-variadic constructor as a double.
float ParamBlockDescParser::Real(const std::string& what) {
    const MaxStandin::DescArg& arg = Next(what);
    if (arg.kind != MaxStandin::DescArg::Kind::Real) {
        Mismatch(arg, "a float value (passed as a double; write e.g. 1.0f)", what);
    }
    return static_cast<float>(arg.real);
}

const void* ParamBlockDescParser::Pointer(const std::string& what) {
    const MaxStandin::DescArg& arg = Next(what);
    // NULL is the integer 0 on Windows; it reads as a null pointer.
    if (arg.kind == MaxStandin::DescArg::Kind::Int && arg.integer == 0) {
        return nullptr;
    }
    if (arg.kind != MaxStandin::DescArg::Kind::Pointer) {
        Mismatch(arg, "a pointer", what);
    }
    return arg.pointer;
}

void ParamBlockDescParser::Run() {
    const unsigned unmodelled = desc.flags & ~unsigned{P_AUTO_CONSTRUCT | P_AUTO_UI};
    if (unmodelled != 0) {
        Fail("the block flags " + Hex(unmodelled) +
             " are not supported by the stand-in (it models P_AUTO_CONSTRUCT and P_AUTO_UI)");
    }
    if (desc.flags & P_AUTO_CONSTRUCT) {
        desc.ref_no = Int("the reference number (P_AUTO_CONSTRUCT)");
        if (desc.ref_no < 0) {
            Fail("the reference number " + std::to_string(desc.ref_no) + " is negative");
        }
    }
    if (desc.flags & P_AUTO_UI) {
        ReadRollout();
    }
    // Every step reads at least one argument, and Next refuses to read past the list's end.
    for (;;) {
        context.clear();
        const int id = Int("a parameter id or the final p_end");
        if (id == p_end) {
            break;
        }
        ReadParam(id);
    }
    if (next != count) {
        Fail(std::to_string(count - next) + " argument(s) follow the final p_end");
    }
}

void ParamBlockDescParser::ReadRollout() {
    ParamBlockDesc2::MapSpec mapDef;
    mapDef.dlg_template = Int("the rollout's dialog template id (P_AUTO_UI)");
    mapDef.title = Int("the rollout's title string id (P_AUTO_UI)");
    mapDef.test_flags = Int("the rollout's flag mask (P_AUTO_UI)");
    mapDef.rollup_flags = Int("the rollout's rollup flags (P_AUTO_UI)");
    if (mapDef.test_flags != 0 || mapDef.rollup_flags != 0) {
        Fail("the rollout's flag mask and rollup flags are not supported by the stand-in: give 0");
    }
    mapDef.dlgProc = static_cast<ParamMap2UserDlgProc*>(
        const_cast<void*>(Pointer("the rollout's user dialog procedure (P_AUTO_UI)")));
    desc.maps.push_back(mapDef);
}

void ParamBlockDescParser::ReadParam(int id) {
    context = "parameter " + std::to_string(id);
    if (id < 0 || id > SHRT_MAX) {
        Fail("the parameter id " + std::to_string(id) +
             " is neither a ParamID nor p_end (is a p_end missing?)");
    }
    ParamDef def;
    def.ID = static_cast<ParamID>(id);
    if (desc.IDtoIndex(def.ID) >= 0) {
        Fail("the parameter id is used twice");
    }
    const MaxStandin::DescArg& name = Next("the parameter's internal name");
    if (name.kind != MaxStandin::DescArg::Kind::WString || !name.text) {
        Mismatch(name, "a wide string (_T(\"...\"))", "the parameter's internal name");
    }
    def.int_name = name.text;
    context += " \"" + winres::ToUtf8(name.text) + "\"";
    // Only a value the stand-in models becomes a ParamType2.
    const int type = Int("the parameter type");
    if (type != TYPE_FLOAT && type != TYPE_BOOL && type != TYPE_TEXMAP && type != TYPE_REFTARG) {
        Fail("parameter type " + std::to_string(type) +
             " is not supported by the stand-in (it models TYPE_FLOAT, TYPE_BOOL, TYPE_TEXMAP and "
             "TYPE_REFTARG)");
    }
    def.type = static_cast<ParamType2>(type);
    def.flags = Int("the parameter flags");
    const unsigned unmodelled =
        static_cast<unsigned>(def.flags) & ~unsigned{P_ANIMATABLE | P_OWNERS_REF};
    if (unmodelled != 0) {
        Fail("the parameter flags " + Hex(unmodelled) +
             " are not supported by the stand-in (it models P_ANIMATABLE and P_OWNERS_REF)");
    }
    def.local_name = Int("the display-name string id");
    for (;;) {
        const int tag = Int("a tag or p_end");
        if (tag == p_end) {
            break;
        }
        ReadTag(def, tag);
    }
    CheckParam(def);
    desc.defs.push_back(def);
}

void ParamBlockDescParser::ReadTag(ParamDef& def, int tag) {
    const std::string what = "the " + TagName(tag) + " value";
    switch (tag) {
    case p_default:
        if (def.IsFloatType()) {
            def.def.f = Real(what);
        } else if (def.IsIntType()) {
            def.def.i = Int(what);
        } else {
            Fail("p_default is not supported by the stand-in for a reference parameter");
        }
        return;
    case p_range:
        if (!def.IsFloatType()) {
            Fail("p_range is supported by the stand-in only for a TYPE_FLOAT parameter");
        }
        def.has_range = true;
        def.range_low.f = Real("the p_range minimum");
        def.range_high.f = Real("the p_range maximum");
        return;
    case p_ui:
        ReadUi(def);
        return;
    case p_refno:
        def.refno = Short(what);
        return;
    case p_subtexno:
        def.sub_texmap_no = Short(what);
        return;
    default:
        Fail("tag " + TagName(tag) +
             " is not supported by the stand-in (it models p_default, p_range, p_ui, p_refno and "
             "p_subtexno; is a p_end missing?)");
    }
}

void ParamBlockDescParser::ReadUi(ParamDef& def) {
    if (def.has_ui) {
        Fail("p_ui is given twice");
    }
    def.has_ui = true;
    const int control = Int("the p_ui control type");
    switch (control) {
    case TYPE_SPINNER: {
        if (!def.IsFloatType()) {
            Fail("a spinner needs a TYPE_FLOAT parameter");
        }
        const int editType = Int("the spinner's edit type");
        if (editType != EDITTYPE_FLOAT) {
            Fail("the spinner's edit type " + std::to_string(editType) +
                 " is not supported by the stand-in (it models EDITTYPE_FLOAT)");
        }
        def.ctrl_IDs.push_back(Int("the edit control id"));
        def.ctrl_IDs.push_back(Int("the spinner control id"));
        def.spin_scale = Real("the spinner step");
        break;
    }
    case TYPE_SINGLECHECKBOX:
        if (!def.IsIntType()) {
            Fail("a check box needs a TYPE_BOOL parameter");
        }
        def.ctrl_IDs.push_back(Int("the check box control id"));
        break;
    case TYPE_TEXMAPBUTTON:
        if (def.type != TYPE_TEXMAP) {
            Fail("a map button needs a TYPE_TEXMAP parameter");
        }
        def.ctrl_IDs.push_back(Int("the map button control id"));
        break;
    default:
        Fail("p_ui control type " + std::to_string(control) +
             " is not supported by the stand-in (it models TYPE_SPINNER, TYPE_SINGLECHECKBOX and "
             "TYPE_TEXMAPBUTTON)");
    }
    def.ctrl_type = static_cast<ControlType2>(control);
}

void ParamBlockDescParser::CheckParam(const ParamDef& def) {
    if (def.IsOwnersRef() && !def.IsRefType()) {
        Fail("P_OWNERS_REF is given for a parameter that is not a reference");
    }
    if (def.IsRefType() && !def.IsOwnersRef()) {
        Fail("a reference parameter without P_OWNERS_REF is not supported by the stand-in");
    }
    if (def.IsOwnersRef() && def.refno < 0) {
        Fail("a P_OWNERS_REF parameter needs p_refno");
    }
    if ((def.flags & P_ANIMATABLE) && def.IsRefType()) {
        Fail("a reference parameter cannot be P_ANIMATABLE");
    }
}

// ---- descriptors -----------------------------------------------------------------------------

void ParamBlockDesc2::Build(const MaxStandin::DescArg* args, std::size_t n) {
    try {
        ParamBlockDescParser(*this, args, n).Run();
    } catch (const std::runtime_error& refused) {
        // A broken descriptor describes nothing; the loader refuses its library.
        MaxStandin::ReportFault(maxhost::FaultKind::Descriptor, refused.what());
        defs.clear();
        maps.clear();
        cd = nullptr;
    }
    paramdefs = defs.empty() ? nullptr : defs.data();
    count = static_cast<USHORT>(defs.size());
    if (cd) {
        cd->AddParamBlockDesc(this);
    }
}

ParamBlockDesc2* maxhost::BuildParamBlockDesc(BlockID id, const MCHAR* intName,
                                              StringResID localName, ClassDesc2* cd, USHORT flags,
                                              const MaxStandin::DescArg* args, std::size_t count) {
    return ParamBlockDescParser::Make(id, intName, localName, cd, flags, args, count);
}

ParamBlockDesc2::~ParamBlockDesc2() {
    if (cd) {
        cd->RemoveParamBlockDesc(this);
    }
    // A procedure installed after the last rollout closed is still the host's to delete.
    for (MapSpec& mapDef : maps) {
        if (mapDef.dlgProc && !MaxStandin::ParamMap2::ProcInUse(mapDef.dlgProc, nullptr)) {
            mapDef.dlgProc->DeleteThis();
        }
        mapDef.dlgProc = nullptr;
    }
}

ParamDef& ParamBlockDesc2::GetParamDef(ParamID id) {
    const int index = IDtoIndex(id);
    if (index >= 0) {
        return defs[static_cast<std::size_t>(index)];
    }
    static ParamDef missing;
    missing = ParamDef();
    return missing;
}

int ParamBlockDesc2::IDtoIndex(ParamID id) {
    for (std::size_t i = 0; i < defs.size(); ++i) {
        if (defs[i].ID == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

ParamID ParamBlockDesc2::IndextoID(int i) {
    return i >= 0 && i < static_cast<int>(defs.size()) ? defs[static_cast<std::size_t>(i)].ID : -1;
}

int ParamBlockDesc2::NameToIndex(const MCHAR* name) {
    for (std::size_t i = 0; i < defs.size(); ++i) {
        if (name && defs[i].int_name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

ParamBlockDesc2::MapSpec* ParamBlockDesc2::GetMapSpec(MapID map_id) {
    for (MapSpec& mapDef : maps) {
        if (mapDef.map_id == map_id) {
            return &mapDef;
        }
    }
    return nullptr;
}

ParamMap2UserDlgProc* ParamBlockDesc2::GetUserDlgProc(MapID id) {
    MapSpec* mapDef = GetMapSpec(id);
    return mapDef ? mapDef->dlgProc : nullptr;
}

void ParamBlockDesc2::SetUserDlgProc(MapID map_id, ParamMap2UserDlgProc* proc) {
    MapSpec* mapDef = GetMapSpec(map_id);
    if (!mapDef) {
        // No such rollout: the procedure would never run, and it is ours to delete.
        if (proc) {
            proc->DeleteThis();
        }
        return;
    }
    ParamMap2UserDlgProc* old = mapDef->dlgProc;
    mapDef->dlgProc = proc;
    // The newest open rollout adopts the procedure (and deletes the one it replaces).
    if (IParamMap2* map = cd ? cd->GetParamMap(this, map_id) : nullptr) {
        map->SetUserDlgProc(proc);
        return;
    }
    if (old && old != proc && !MaxStandin::ParamMap2::ProcInUse(old, nullptr)) {
        old->DeleteThis();
    }
}

// ---- parameter blocks ----------------------------------------------------------------------

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
        if (auto* open = dynamic_cast<ParamMap2*>(map)) {
            open->BlockDeleted();
        }
    }
}

void ParamBlock2::BindDesc(ParamBlockDesc2* d) {
    desc = d;
    values.assign(d ? d->count : 0, Value());
    for (std::size_t i = 0; i < values.size(); ++i) {
        SetDefault(static_cast<int>(i));
    }
}

void ParamBlock2::GetClassName(MSTR& s, bool) const {
    s = _M("ParamBlock2");
}

Class_ID ParamBlock2::ClassID() {
    return Class_ID(PARAMETER_BLOCK2_CLASS_ID, 0);
}

MSTR ParamBlock2::GetLocalName(ParamID id, int, bool localized) {
    int index = 0;
    const ParamDef* def = Def(id, index);
    if (!def) {
        return MSTR();
    }
    HINSTANCE module = localized && desc->cd ? desc->cd->HInstance() : nullptr;
    const UINT stringId = static_cast<UINT>(def->local_name);
    // With no capacity, LoadStringW hands out a read-only pointer to the stored string.
    const wchar_t* name = nullptr;
    const int length = module && def->local_name > 0 && stringId <= 0xffff
                           ? LoadStringW(module, stringId, reinterpret_cast<LPWSTR>(&name), 0)
                           : 0;
    return length > 0 ? MSTR(std::wstring(name, static_cast<std::size_t>(length)).c_str())
                      : def->int_name;
}

BOOL ParamBlock2::AccessFault(ParamID id, int tabIndex, const char* kind) {
    int index = 0;
    const ParamDef* def = Def(id, index);
    std::string problem;
    if (!def) {
        problem = "has no parameter " + std::to_string(id);
    } else {
        problem =
            "parameter " + std::to_string(id) + " \"" + winres::ToUtf8(def->int_name.data()) + "\"";
        if (tabIndex != 0) {
            problem += " is not a table but was given table index " + std::to_string(tabIndex);
        } else {
            problem += " of type " + std::to_string(def->type) + " was accessed as " + kind;
        }
    }
    const std::string block = desc ? winres::ToUtf8(desc->int_name.data()) : std::string();
    ReportFault(maxhost::FaultKind::ParamAccess, "parameter block \"" + block + "\" " + problem);
    return FALSE;
}

void ParamBlock2::SetDefault(int index) {
    const ParamDef& def = desc->paramdefs[index];
    Value& value = values[static_cast<std::size_t>(index)];
    value.keys.clear();
    value.f = def.IsFloatType() ? def.def.f : 0.0f;
    value.i = def.IsIntType() ? def.def.i : 0;
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

// Reference parameters are P_OWNERS_REF: they name a reference slot of the block's owner.
ReferenceTarget* ParamBlock2::RefValue(const ParamDef& def) {
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
    if (!owner || owner->ReplaceReference(def->refno, v, TRUE) != REF_SUCCEED) {
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
    v = RefValue(*def);
    return TRUE;
}

BOOL ParamBlock2::SetValue(ParamID id, TimeValue, Texmap* v, int tabIndex) {
    return tabIndex != 0 ? AccessFault(id, tabIndex, "a texture map") : SetRef(id, v);
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

// ---- block-wide operations -------------------------------------------------------------

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
    ClassDesc* cd = maxhost::FindClassDesc(sclass, Class_ID(a, b));
    return cd ? cd->GetParamBlockDescByID(id) : nullptr;
}

} // namespace

IOResult ParamBlock2::Load(ILoad* iload) {
    const IOResult result = ReadChunks(iload, [&](USHORT chunk) {
        bool ok = true;
        if (chunk == kHeaderChunk) {
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
        } else if (chunk == kValueChunk) {
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
        return ok ? IO_OK : IO_ERROR;
    });
    return result == IO_OK && desc ? IO_OK : IO_ERROR;
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

namespace {

MaxStandin::ParamBlock2* SdkBlock(IParamBlock2* pb) {
    return dynamic_cast<MaxStandin::ParamBlock2*>(pb);
}

} // namespace

std::uint64_t maxhost::ParamBlockReads(IParamBlock2* pb) {
    return SdkBlock(pb) ? SdkBlock(pb)->Reads() : 0;
}
void maxhost::ResetParamBlockReads(IParamBlock2* pb) {
    if (SdkBlock(pb)) {
        SdkBlock(pb)->ResetReads();
    }
}
bool maxhost::SetKey(IParamBlock2* pb, ParamID id, TimeValue t, float value) {
    return SdkBlock(pb) && SdkBlock(pb)->SetKey(id, t, value);
}
int maxhost::NumKeys(IParamBlock2* pb, ParamID id) {
    return SdkBlock(pb) ? SdkBlock(pb)->NumKeys(id) : 0;
}
bool maxhost::GetKey(IParamBlock2* pb, ParamID id, int index, TimeValue& t, float& value) {
    return SdkBlock(pb) && SdkBlock(pb)->GetKey(id, index, t, value);
}
bool maxhost::ClearKeys(IParamBlock2* pb, ParamID id) {
    return SdkBlock(pb) && SdkBlock(pb)->ClearKeys(id);
}
void maxhost::SetAnimateMode(bool on) {
    MaxStandin::animateMode.store(on, std::memory_order_relaxed);
}
bool maxhost::AnimateMode() {
    return MaxStandin::animateMode.load(std::memory_order_relaxed);
}
