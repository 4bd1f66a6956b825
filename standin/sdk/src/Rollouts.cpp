// Parameter maps and rollouts: the host's rollout bound to a block and to its dialog template,
// the material editor's master dialog, and the host's way to drive them as a user would.
#include <algorithm>

#include "Standin.h"

namespace MaxStandin {

namespace {

// ---- the dialog template -------------------------------------------------------------------

// A control of a rollout's dialog template, as the host's automatic rollout creates it.
struct TemplateControl {
    int id = -1;
    std::u16string windowClass;
    std::uint32_t style = 0;
};

// The template's bytes as the module holds them, or none.
bool FindTemplate(HINSTANCE module, int templateId, const unsigned char*& data, std::size_t& size) {
    if (!module || templateId <= 0 || templateId > 0xFFFF) {
        return false;
    }
#if defined(_WIN32)
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(5));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    data = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    size = found ? SizeofResource(module, found) : 0;
    return data != nullptr;
#else
    const auto entry = maxhost::FindModuleResource(
        module, winres::ResName::Ordinal(winres::kTypeDialog),
        winres::ResName::Ordinal(static_cast<std::uint16_t>(templateId)), winres::kLangEnglishUS);
    if (!entry) {
        return false;
    }
    data = entry->data;
    size = entry->size;
    return true;
#endif
}

bool ReadTemplateControls(HINSTANCE module, int templateId,
                          std::vector<TemplateControl>& controls) {
    controls.clear();
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    if (!FindTemplate(module, templateId, data, size)) {
        return false;
    }
    winres::DialogTemplate dialog;
    std::string error;
    if (!winres::ParseDialogTemplate(data, size, dialog, error)) {
        return false;
    }
    for (const winres::DialogItem& item : dialog.items) {
        // 32-bit ids in DLGTEMPLATEEX; -1 (no id) arrives as 0xFFFFFFFF or 0xFFFF.
        const int id = static_cast<std::int32_t>(item.id);
        if (id != -1 && id != 0xFFFF) {
            controls.push_back(TemplateControl{id, winres::ClassNameOf(item), item.style});
        }
    }
    return true;
}

// Button kinds, the low four bits of a Button's style (BS_CHECKBOX and the rest in <windows.h>).
constexpr std::uint32_t kCheckBox = 0x2;
constexpr std::uint32_t kAutoCheckBox = 0x3;
constexpr std::uint32_t kThreeState = 0x5;
constexpr std::uint32_t kAutoThreeState = 0x6;

// What a bound control must be: a window class and, for the standard Button class, the button
// kinds (low four style bits) that can show the binding.
struct ControlKind {
    std::u16string windowClass;
    std::vector<std::uint32_t> buttonStyles;
};

ControlKind KindFor(ControlType2 control, std::size_t position) {
    const bool first = position % 2 == 0;
    // The first control types belong to ControlType, the later ones to ControlType2.
    switch (static_cast<int>(control)) {
    case TYPE_SPINNER:
        return {first ? u"CustEdit" : u"SpinnerControl", {}};
    case TYPE_SINGLECHECKBOX:
        return {u"Button", {kCheckBox, kAutoCheckBox, kThreeState, kAutoThreeState}};
    default: // map buttons
        return {u"CustButton", {}};
    }
}

const TemplateControl* Find(const std::vector<TemplateControl>& controls, int id) {
    for (const TemplateControl& control : controls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

// Why the template's control cannot carry the binding, or an empty string when it can.
std::string Mismatch(const TemplateControl* found, const ControlKind& kind) {
    if (!found) {
        return "is not in the dialog template";
    }
    if (!winres::SameTextIgnoringCase(found->windowClass, kind.windowClass)) {
        return "is a " + winres::ToUtf8(winres::ToWide(found->windowClass)) +
               " in the dialog template, not a " + winres::ToUtf8(winres::ToWide(kind.windowClass));
    }
    if (kind.buttonStyles.empty()) {
        return std::string();
    }
    for (std::uint32_t style : kind.buttonStyles) {
        if ((found->style & 0xF) == style) {
            return std::string();
        }
    }
    return "is a Button of kind " + std::to_string(found->style & 0xF) +
           " in the dialog template, which cannot show this binding";
}

void CheckRolloutBinding(ParamBlockDesc2* desc, MapID mapId, int templateId, bool templateFound,
                         const std::vector<TemplateControl>& controls) {
    const std::string block = "rollout of parameter block \"" +
                              winres::ToUtf8(desc->int_name.data()) + "\" (map " +
                              std::to_string(mapId) + ")";
    if (!templateFound) {
        ReportFault(maxhost::FaultKind::RolloutBinding,
                    block + ": dialog template " + std::to_string(templateId) +
                        " is not in the class descriptor's module");
        return;
    }
    for (int i = 0; i < desc->count; ++i) {
        const ParamDef& def = desc->paramdefs[i];
        if (!def.has_ui || def.map_id != mapId) {
            continue;
        }
        for (std::size_t position = 0; position < def.ctrl_IDs.size(); ++position) {
            const int id = def.ctrl_IDs[position];
            const std::string problem =
                Mismatch(Find(controls, id), KindFor(def.ctrl_type, position));
            if (problem.empty()) {
                continue;
            }
            ReportFault(maxhost::FaultKind::RolloutBinding,
                        block + ": control " + std::to_string(id) + " bound to parameter \"" +
                            winres::ToUtf8(def.int_name.data()) + "\" " + problem);
        }
    }
}

} // namespace

// ---- parameter maps ------------------------------------------------------------------------

std::vector<ParamMap2*>& ParamMap2::Open() {
    static std::vector<ParamMap2*> maps;
    return maps;
}

bool ParamMap2::ProcInUse(ParamMap2UserDlgProc* proc, ParamMap2* except) {
    return std::any_of(Open().begin(), Open().end(), [&](ParamMap2* map) {
        return map != except && map->GetUserDlgProc() == proc;
    });
}

ParamMap2::ParamMap2(ParamBlockDesc2* desc, MapID mapId, IParamBlock2* block, TimeValue time)
    : desc(desc), mapId(mapId), time(time) {
    for (int i = 0; i < desc->count; ++i) {
        const ParamDef& def = desc->paramdefs[i];
        if (!def.has_ui || def.map_id != mapId) {
            continue;
        }
        for (int ctrlId : def.ctrl_IDs) {
            maxhost::ControlState control;
            control.id = ctrlId;
            control.param = def.ID;
            control.toggle = static_cast<int>(def.ctrl_type) == TYPE_SINGLECHECKBOX;
            controls.push_back(control);
        }
    }
    // The template's other controls (labels, group boxes, buttons of the user procedure) exist
    // too, each with an enable state of its own but no parameter.
    ParamBlockDesc2::MapSpec* mapDef = desc->GetMapSpec(mapId);
    const int templateId = mapDef ? mapDef->dlg_template : 0;
    std::vector<TemplateControl> inTemplate;
    const bool found =
        ReadTemplateControls(desc->cd ? desc->cd->HInstance() : nullptr, templateId, inTemplate);
    // The output rollout is the host's own and is drawn without a template.
    if (desc->cd != StdTexOutClassDesc()) {
        CheckRolloutBinding(desc, mapId, templateId, found, inTemplate);
    }
    for (const TemplateControl& item : inTemplate) {
        if (!FindControl(item.id)) {
            maxhost::ControlState control;
            control.id = item.id;
            controls.push_back(control);
        }
    }
    Open().push_back(this);
    SetParamBlock(block);
}

ParamMap2::~ParamMap2() {
    Open().erase(std::remove(Open().begin(), Open().end(), this), Open().end());
}

void ParamMap2::Destroy() {
    SendToProc(WM_DESTROY, 0, 0);
    ParamMap2UserDlgProc* old = proc;
    proc = nullptr;
    ReleaseProc(old);
    if (block && block->GetMap(mapId) == this) {
        block->SetMap(nullptr, mapId);
    }
    delete this;
}

void ParamMap2::ReleaseProc(ParamMap2UserDlgProc* old) {
    if (!old || old == proc || ProcInUse(old, this)) {
        return;
    }
    if (ParamBlockDesc2::MapSpec* mapDef = desc->GetMapSpec(mapId)) {
        if (mapDef->dlgProc == old) {
            mapDef->dlgProc = nullptr;
        }
    }
    old->DeleteThis();
}

bool ParamMap2::TableIndexOk(ParamID id, int tabIndex, bool allEntriesAllowed,
                             const char* operation) {
    if (tabIndex == 0 || (allEntriesAllowed && tabIndex == -1)) {
        return true;
    }
    const int index = desc->IDtoIndex(id);
    const std::string name =
        index >= 0 ? winres::ToUtf8(desc->paramdefs[index].int_name.data()) : std::string("?");
    ReportFault(maxhost::FaultKind::ParamAccess,
                std::string(operation) + " of parameter " + std::to_string(id) + " \"" + name +
                    "\" with table index " + std::to_string(tabIndex) +
                    ", but the parameter is not a table");
    return false;
}

// The rollout has no windows to redraw: it counts the requests, which tests compare.
void ParamMap2::Invalidate() {
    for (int i = 0; i < desc->count; ++i) {
        ++invalidations[desc->paramdefs[i].ID];
    }
}

void ParamMap2::Invalidate(ParamID id, int tabIndex) {
    ++invalidations[id];
    TableIndexOk(id, tabIndex, true, "Invalidate");
}

int ParamMap2::Invalidations(ParamID id) const {
    auto it = invalidations.find(id);
    return it == invalidations.end() ? 0 : it->second;
}

void ParamMap2::SetParamBlock(IParamBlock2* pb) {
    if (block && block != pb && block->GetMap(mapId) == this) {
        block->SetMap(nullptr, mapId);
    }
    block = pb;
    if (block) {
        block->SetMap(this, mapId);
    }
    if (proc) {
        proc->SetParamBlock(pb);
    }
}

void ParamMap2::Enable(ParamID id, BOOL onOff, int tabIndex) {
    if (!TableIndexOk(id, tabIndex, false, "Enable")) {
        return;
    }
    for (maxhost::ControlState& control : controls) {
        if (id >= 0 && control.param == id) {
            control.enabled = onOff != FALSE;
        }
    }
}

void ParamMap2::SetUserDlgProc(ParamMap2UserDlgProc* newProc) {
    if (newProc == proc) {
        return;
    }
    ParamMap2UserDlgProc* old = proc;
    proc = newProc;
    ReleaseProc(old);
}

void ParamMap2::SetThing(ReferenceTarget* m) {
    if (proc) {
        proc->SetThing(m);
    }
}

maxhost::ControlState* ParamMap2::FindControl(int ctrlId) {
    for (maxhost::ControlState& control : controls) {
        if (control.id == ctrlId) {
            return &control;
        }
    }
    return nullptr;
}

INT_PTR ParamMap2::SendToProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return proc ? proc->DlgProc(time, this, GetHWnd(), msg, wParam, lParam) : 0;
}

// ---- the master dialog ---------------------------------------------------------------------

IParamBlock2* BlockOf(ReferenceTarget* obj, ParamBlockDesc2* pbd) {
    if (!obj || !pbd) {
        return nullptr;
    }
    if (IParamBlock2* pb = obj->GetParamBlockByID(pbd->ID)) {
        return pb;
    }
    if (pbd->ref_no >= 0 && pbd->ref_no < obj->NumRefs()) {
        ReferenceTarget* ref = obj->GetReference(pbd->ref_no);
        if (ref && ref->SuperClassID() == PARAMETER_BLOCK2_CLASS_ID) {
            return static_cast<IParamBlock2*>(ref);
        }
    }
    return nullptr;
}

void AutoMParamDlg::SetThing(ReferenceTarget* m) {
    thing = m;
    for (ParamMap2* map : maps) {
        map->SetParamBlock(BlockOf(m, map->GetDesc()));
        map->SetThing(m);
    }
    // Each secondary dialog follows the object's own routing (SetDlgThing) or shows m itself.
    MtlBase* mtl = dynamic_cast<MtlBase*>(m);
    for (ParamDlg* dlg : subDlgs) {
        if (!mtl || !mtl->SetDlgThing(dlg)) {
            dlg->SetThing(m);
        }
    }
}

void AutoMParamDlg::DeleteThis() {
    std::vector<ParamMap2*> closing;
    closing.swap(maps);
    for (ParamMap2* map : closing) {
        map->Destroy();
    }
    std::vector<ParamDlg*> secondary;
    secondary.swap(subDlgs);
    for (ParamDlg* dlg : secondary) {
        dlg->DeleteThis();
    }
    if (cd) {
        cd->MasterDlgDeleted(this);
    }
    delete this;
}

void AutoMParamDlg::AddDlg(ParamDlg* dlg) {
    if (dlg) {
        subDlgs.push_back(dlg);
    }
}

ParamDlg* AutoMParamDlg::GetDlg(int i) {
    return i >= 0 && i < NumDlgs() ? subDlgs[static_cast<std::size_t>(i)] : nullptr;
}

} // namespace MaxStandin

// ---- driving rollouts ----------------------------------------------------------------------

namespace {

MaxStandin::ParamMap2* SdkMap(IParamMap2* map) {
    return dynamic_cast<MaxStandin::ParamMap2*>(map);
}

} // namespace

std::vector<maxhost::ControlState> maxhost::Controls(IParamMap2* map) {
    return SdkMap(map) ? SdkMap(map)->Controls() : std::vector<ControlState>();
}

int maxhost::InvalidationCount(IParamMap2* map, ParamID id) {
    return SdkMap(map) ? SdkMap(map)->Invalidations(id) : 0;
}

int maxhost::OpenParamMapCount() {
    return static_cast<int>(MaxStandin::ParamMap2::Open().size());
}

INT_PTR maxhost::SendCommand(IParamMap2* map, int ctrlId, WORD notifyCode) {
    MaxStandin::ParamMap2* sdkMap = SdkMap(map);
    ControlState* control = sdkMap ? sdkMap->FindControl(ctrlId) : nullptr;
    if (!sdkMap || (control && !control->enabled)) {
        return 0; // a disabled control sends nothing
    }
    // The host's binding stores a check box's new state before the user procedure hears of it.
    IParamBlock2* block = map->GetParamBlock();
    if (control && control->toggle && block) {
        int current = 0;
        Interval valid = FOREVER;
        block->GetValue(control->param, sdkMap->Time(), current, valid);
        block->SetValue(control->param, sdkMap->Time(), current ? 0 : 1);
    }
    return sdkMap->SendToProc(WM_COMMAND, MAKEWPARAM(ctrlId, notifyCode), 0);
}
