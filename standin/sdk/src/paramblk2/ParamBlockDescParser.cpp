// Parsing of the descriptor tag list: block head, rollouts, then parameters up to p_end.
#include "ParamBlockDescParser.h"

#include <algorithm>
#include <climits>

#include "iparamb2.h"

namespace {

// Bounds that no sane descriptor reaches; an unchecked list that runs past them is garbage.
constexpr int kMaxParams = 4096;
constexpr int kMaxTagsPerParam = 256;
constexpr int kMaxControlIds = 64;

// Block flags that change the shape of the tag list in ways no plug-in of this house uses: a
// descriptor with one of them is refused by name rather than misread.
struct RefusedFlag {
    USHORT flag;
    const char* name;
};
constexpr RefusedFlag kRefusedFlags[] = {{P_USE_PARAMS, "P_USE_PARAMS"},
                                         {P_INCLUDE_PARAMS, "P_INCLUDE_PARAMS"},
                                         {P_MULTIMAP, "P_MULTIMAP"},
                                         {P_HASCATEGORY, "P_HASCATEGORY"},
                                         {P_VERSION, "P_VERSION"}};

// ParamType2's enumerators fit in 12 bits (the largest are the table types); the passing flags
// TYPE_BY_REF, TYPE_BY_VAL and TYPE_BY_PTR are macros above them, so a value with one of those
// set does not fit the enumeration and is refused before it is stored in one.
constexpr int kMaxParamType2 = 0xFFF;
static_assert(TYPE_REFTARG_TAB <= kMaxParamType2 && TYPE_BY_REF > kMaxParamType2);

// The rollout controls the stand-in builds; each is a value of ControlType2.
bool IsSupportedControl(int control) {
    switch (control) {
    case TYPE_SPINNER:
    case TYPE_SLIDER:
    case TYPE_RADIO:
    case TYPE_SINGLECHECKBOX:
    case TYPE_CHECKBUTTON:
    case TYPE_TEXMAPBUTTON:
    case TYPE_EDITBOX:
        return true;
    default:
        return false;
    }
}

std::string Narrow(const wchar_t* text) {
    std::string narrow;
    for (const wchar_t* c = text; c && *c; ++c) {
        narrow += (*c >= 0x20 && *c < 0x7f) ? static_cast<char>(*c) : '?';
    }
    return narrow;
}

bool IsKnownTag(int tag) {
    return tag >= p_default && tag <= p_colorContext;
}

const char* TagName(int tag) {
    static const char* const names[] = {"p_default",
                                        "p_ms_default",
                                        "p_range",
                                        "p_ui",
                                        "p_validator",
                                        "p_accessor",
                                        "p_vals",
                                        "p_refno",
                                        "p_subtexno",
                                        "p_submtlno",
                                        "p_dim",
                                        "p_classID",
                                        "p_sclassID",
                                        "p_enabled",
                                        "p_enable_ctrls",
                                        "p_prompt",
                                        "p_caption",
                                        "p_init_file",
                                        "p_file_types",
                                        "p_ctrl_ids",
                                        "p_uix",
                                        "p_configurable_default",
                                        "p_tooltip",
                                        "p_assetTypeID",
                                        "p_assetTypeName",
                                        "p_defaults_and_ranges_in_meters",
                                        "p_nonLocalizedName",
                                        "p_colorContext"};
    return IsKnownTag(tag) ? names[tag - p_default] : "?";
}

} // namespace

bool ParamBlockDescParser::Fail(const std::string& message) {
    error = "ParamBlockDesc2 \"" + Narrow(desc.int_name.data()) + "\" (block " +
            std::to_string(desc.ID) + ")" + (context.empty() ? "" : ", " + context) + ": " +
            message;
    return false;
}

bool ParamBlockDescParser::Int(int& v, const std::string& what) {
    return reader.Int(v, what) || Fail(reader.problem);
}

bool ParamBlockDescParser::Short(short& v, const std::string& what) {
    int i = 0;
    if (!Int(i, what)) {
        return false;
    }
    if (i < SHRT_MIN || i > SHRT_MAX) {
        return Fail(what + " " + std::to_string(i) + " is out of range");
    }
    v = static_cast<short>(i);
    return true;
}

std::string ParamBlockDescParser::ParamContext(const ParamDef& def) const {
    return "parameter " + std::to_string(def.ID) + " \"" + Narrow(def.int_name.data()) + "\"";
}

bool ParamBlockDescParser::Run() {
    for (const RefusedFlag& refused : kRefusedFlags) {
        if (desc.flags & refused.flag) {
            return Fail(std::string("the block flag ") + refused.name +
                        " is not supported by the stand-in");
        }
    }
    if (!ReadBlockHead()) {
        return false;
    }
    for (int n = 0;; ++n) {
        context.clear();
        if (n > kMaxParams) {
            return Fail("more than " + std::to_string(kMaxParams) +
                        " parameters: the list has no final p_end");
        }
        int id = 0;
        if (!Int(id, "a parameter id or the final p_end")) {
            return false;
        }
        if (id == p_end) {
            return true;
        }
        if (!ReadParam(id)) {
            return false;
        }
    }
}

bool ParamBlockDescParser::ReadBlockHead() {
    if (desc.flags & P_AUTO_CONSTRUCT) {
        if (!Int(desc.ref_no, "the reference number (P_AUTO_CONSTRUCT)")) {
            return false;
        }
        if (desc.ref_no < 0) {
            return Fail("the reference number " + std::to_string(desc.ref_no) + " is negative");
        }
    }
    return !(desc.flags & P_AUTO_UI) || ReadRollout(0);
}

bool ParamBlockDescParser::ReadRollout(MapID mapId) {
    ParamBlockDesc2::MapSpec mapDef;
    mapDef.map_id = mapId;
    int title = 0;
    const void* proc = nullptr;
    if (!Int(mapDef.dlg_template, "the rollout's dialog template id (P_AUTO_UI)") ||
        !Int(title, "the rollout's title string id (P_AUTO_UI)") ||
        !Int(mapDef.test_flags, "the rollout's flag mask (P_AUTO_UI)") ||
        !Int(mapDef.rollup_flags, "the rollout's rollup flags (P_AUTO_UI)")) {
        return false;
    }
    if (!reader.Pointer(proc, "the rollout's user dialog procedure (P_AUTO_UI)")) {
        return Fail(reader.problem);
    }
    mapDef.title = title;
    mapDef.dlgProc = static_cast<ParamMap2UserDlgProc*>(const_cast<void*>(proc));
    desc.maps.push_back(mapDef);
    return true;
}

bool ParamBlockDescParser::ReadParam(int id) {
    ParamDef def;
    context = "parameter " + std::to_string(id);
    if (id < 0 || id > SHRT_MAX) {
        return Fail("the parameter id " + std::to_string(id) +
                    " is neither a ParamID nor p_end (is a p_end missing?)");
    }
    def.ID = static_cast<ParamID>(id);
    if (std::any_of(desc.defs.begin(), desc.defs.end(),
                    [&](const ParamDef& d) { return d.ID == def.ID; })) {
        return Fail("the parameter id is used twice");
    }
    const wchar_t* name = nullptr;
    if (!reader.String(name, "the parameter's internal name")) {
        return Fail(reader.problem);
    }
    def.int_name = name;
    context = ParamContext(def);
    int type = 0;
    if (!Int(type, "the parameter type")) {
        return false;
    }
    // Only a value inside the enumeration's range may become a ParamType2.
    if (type >= 0 && type <= kMaxParamType2) {
        def.type = static_cast<ParamType2>(type);
    }
    if (type < 0 || type > kMaxParamType2 ||
        (!def.IsFloatType() && !def.IsIntType() && !def.IsRefType())) {
        return Fail("parameter type " + std::to_string(type) +
                    " is not supported by the stand-in (supported: float, int and bool kinds, "
                    "TYPE_TEXMAP, TYPE_REFTARG)");
    }
    int localName = 0;
    if (!Int(def.flags, "the parameter flags") || !Int(localName, "the display-name string id")) {
        return false;
    }
    def.local_name = localName;
    for (int n = 0;; ++n) {
        if (n > kMaxTagsPerParam) {
            return Fail("the parameter's tags never reach p_end");
        }
        int tag = 0;
        if (!Int(tag, "a tag or p_end")) {
            return false;
        }
        if (tag == p_end) {
            break;
        }
        if (!ReadTag(def, tag)) {
            return false;
        }
    }
    if (!CheckParam(def)) {
        return false;
    }
    desc.defs.push_back(def);
    return true;
}

bool ParamBlockDescParser::ReadTag(ParamDef& def, int tag) {
    int value = 0;
    const void* pointer = nullptr;
    const wchar_t* text = nullptr;
    switch (tag) {
    case p_default:
    case p_ms_default:
        return ReadDefault(def, TagName(tag));
    case p_range:
        return ReadRange(def);
    case p_ui:
        return ReadUi(def);
    case p_vals:
        return ReadRadioValues(def);
    case p_refno:
        return Short(def.refno, "the p_refno value");
    case p_subtexno:
        return Short(def.sub_texmap_no, "the p_subtexno value");
    case p_submtlno:
        return Short(def.sub_mtl_no, "the p_submtlno value");
    case p_enabled:
        return Int(def.enabled, "the p_enabled value");
    case p_tooltip:
    case p_prompt:
    case p_caption:
        if (!Int(value, std::string("the ") + TagName(tag) + " string id")) {
            return false;
        }
        (tag == p_tooltip ? def.tooltip : tag == p_prompt ? def.prompt : def.caption) = value;
        return true;
    case p_sclassID:
        if (!Int(value, "the p_sclassID value")) {
            return false;
        }
        def.sclassID = static_cast<SClass_ID>(static_cast<unsigned int>(value));
        return true;
    case p_classID:
        return reader.ClassId(def.class_ID, "the p_classID value") || Fail(reader.problem);
    case p_accessor:
    case p_validator:
    case p_dim:
        if (!reader.Pointer(pointer, std::string("the ") + TagName(tag) + " pointer")) {
            return Fail(reader.problem);
        }
        if (tag == p_accessor) {
            def.accessor = pointer;
        } else if (tag == p_validator) {
            def.validator = pointer;
        } else {
            def.dim = static_cast<ParamDimension*>(const_cast<void*>(pointer));
        }
        return true;
    case p_nonLocalizedName:
        if (!reader.String(text, "the p_nonLocalizedName string")) {
            return Fail(reader.problem);
        }
        def.nonLocalizedName = text;
        return true;
    default:
        if (IsKnownTag(tag)) {
            return Fail(std::string("tag ") + TagName(tag) + " is not supported by the stand-in");
        }
        return Fail("unknown tag " + std::to_string(tag) + " (is a p_end missing?)");
    }
}

bool ParamBlockDescParser::ReadDefault(ParamDef& def, const std::string& what) {
    const std::string place = "the " + what + " value";
    if (def.IsFloatType()) {
        double v = 0.0;
        if (!reader.Real(v, place)) {
            return Fail(reader.problem);
        }
        def.def.f = static_cast<float>(v);
        return true;
    }
    if (def.IsIntType()) {
        return Int(def.def.i, place);
    }
    const void* p = nullptr;
    if (!reader.Pointer(p, place)) {
        return Fail(reader.problem);
    }
    if (p) {
        return Fail("a reference parameter's default must be null");
    }
    return true;
}

bool ParamBlockDescParser::ReadRange(ParamDef& def) {
    def.has_range = true;
    if (def.IsFloatType()) {
        double low = 0.0, high = 0.0;
        if (!reader.Real(low, "the p_range minimum") || !reader.Real(high, "the p_range maximum")) {
            return Fail(reader.problem);
        }
        def.range_low.f = static_cast<float>(low);
        def.range_high.f = static_cast<float>(high);
        return true;
    }
    if (def.IsIntType()) {
        return Int(def.range_low.i, "the p_range minimum") &&
               Int(def.range_high.i, "the p_range maximum");
    }
    return Fail("p_range is given for a parameter type that has no range");
}

bool ParamBlockDescParser::ReadControlIds(ParamDef& def, int n, const std::string& what) {
    for (int i = 0; i < n; ++i) {
        int id = 0;
        if (!Int(id, what)) {
            return false;
        }
        def.ctrl_IDs.push_back(id);
    }
    return true;
}

bool ParamBlockDescParser::ReadUi(ParamDef& def) {
    if (def.has_ui) {
        return Fail("p_ui is given twice");
    }
    def.has_ui = true;
    int control = 0;
    if (!Int(control, "the p_ui control type")) {
        return false;
    }
    if (!IsSupportedControl(control)) {
        return Fail("p_ui control type " + std::to_string(control) +
                    " is not supported by the stand-in");
    }
    def.ctrl_type = static_cast<ControlType2>(control);
    int n = 0;
    double scale = 0.0;
    switch (control) {
    case TYPE_SPINNER:
    case TYPE_SLIDER: {
        if (!def.IsFloatType() && !def.IsIntType()) {
            return Fail("a spinner or slider needs a float or int parameter");
        }
        int editType = 0;
        if (!Int(editType, "the spinner's edit type") ||
            !ReadControlIds(def, 2, "the edit and spinner control ids")) {
            return false;
        }
        if (editType < EDITTYPE_INT || editType > EDITTYPE_TIME) {
            return Fail("the spinner's edit type " + std::to_string(editType) +
                        " is not an EditSpinnerType");
        }
        def.spin_type = static_cast<EditSpinnerType>(editType);
        if (control == TYPE_SLIDER) {
            return Int(n, "the slider's tick count");
        }
        if (!reader.Real(scale, "the spinner step")) {
            return Fail(reader.problem);
        }
        def.spin_scale = static_cast<float>(scale);
        return true;
    }
    case TYPE_RADIO:
        if (!def.IsIntType()) {
            return Fail("radio buttons need an int parameter");
        }
        if (!Int(n, "the number of radio buttons")) {
            return false;
        }
        if (n < 1 || n > kMaxControlIds) {
            return Fail("the number of radio buttons " + std::to_string(n) + " is out of range");
        }
        return ReadControlIds(def, n, "a radio button control id");
    case TYPE_SINGLECHECKBOX:
    case TYPE_CHECKBUTTON:
        if (!def.IsIntType()) {
            return Fail("a check box needs a bool or int parameter");
        }
        return ReadControlIds(def, 1, "the check box control id");
    case TYPE_TEXMAPBUTTON:
        if (def.type != TYPE_TEXMAP) {
            return Fail("a map button needs a TYPE_TEXMAP parameter");
        }
        return ReadControlIds(def, 1, "the map button control id");
    case TYPE_EDITBOX:
        return ReadControlIds(def, 1, "the edit box control id");
    default:
        return false; // refused by IsSupportedControl above
    }
}

bool ParamBlockDescParser::ReadRadioValues(ParamDef& def) {
    if (!def.has_ui || static_cast<int>(def.ctrl_type) != TYPE_RADIO) {
        return Fail("p_vals must follow a p_ui with radio buttons");
    }
    for (std::size_t i = 0; i < def.ctrl_IDs.size(); ++i) {
        int value = 0;
        if (!Int(value, "a p_vals value")) {
            return false;
        }
        def.radio_vals.push_back(value);
    }
    return true;
}

bool ParamBlockDescParser::CheckParam(const ParamDef& def) {
    if (def.IsOwnersRef() && !def.IsRefType()) {
        return Fail("P_OWNERS_REF is given for a parameter that is not a reference");
    }
    if (def.IsOwnersRef() && def.refno < 0) {
        return Fail("a P_OWNERS_REF parameter needs p_refno");
    }
    if ((def.flags & P_ANIMATABLE) && def.IsRefType()) {
        return Fail("a reference parameter cannot be P_ANIMATABLE");
    }
    return true;
}
