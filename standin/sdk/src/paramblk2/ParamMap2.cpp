// The host's parameter map.
#include "ParamMap2.h"

#include <algorithm>
#include <cwchar>
#include <string>

#include "OpenMaps.h"
#include "RolloutBinding.h"
#include "TemplateControls.h"
#include "imtl.h"
#include "HostAccess.h"
#include "texout/StdTexOut.h"

namespace MaxStandin {

ParamMap2::ParamMap2(ParamBlockDesc2* desc, MapID mapId, IParamBlock2* block, TimeValue time)
    : desc(desc), mapId(mapId), time(time) {
    for (int i = 0; i < desc->count; ++i) {
        const ParamDef& def = desc->paramdefs[i];
        if (!def.has_ui || def.map_id != mapId) {
            continue;
        }
        for (int ctrlId : def.ctrl_IDs) {
            Control control;
            control.id = ctrlId;
            control.param = def.ID;
            controls.push_back(control);
        }
    }
    // The template's other controls (labels, group boxes, buttons of the user procedure) exist
    // too, each with an enable state of its own but no parameter.
    ParamBlockDesc2::MapSpec* mapDef = desc->GetMapSpec(mapId);
    HINSTANCE module = desc->cd ? desc->cd->HInstance() : nullptr;
    const int templateId = mapDef ? mapDef->dlg_template : 0;
    std::vector<TemplateControl> inTemplate;
    const bool found = ReadTemplateControls(module, templateId, inTemplate);
    // The output rollout is the host's own and is drawn without a template.
    if (desc->cd != StdTexOutClassDesc()) {
        CheckRolloutBinding(desc, mapId, templateId, found, inTemplate);
    }
    for (const TemplateControl& item : inTemplate) {
        if (!FindControl(item.id)) {
            Control control;
            control.id = item.id;
            controls.push_back(control);
        }
    }
    OpenParamMaps().push_back(this);
    SetParamBlock(block);
}

ParamMap2::~ParamMap2() {
    auto& open = OpenParamMaps();
    open.erase(std::remove(open.begin(), open.end(), this), open.end());
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

template <typename Fn> void ParamMap2::ForParam(ParamID id, int tabIndex, Fn fn) {
    for (Control& control : controls) {
        if (id >= 0 && control.param == id && (tabIndex < 0 || control.tabIndex == tabIndex)) {
            fn(control);
        }
    }
}

bool ParamMap2::TableIndexOk(ParamID id, int tabIndex, bool allEntriesAllowed,
                             const char* operation) {
    if (tabIndex == 0 || (allEntriesAllowed && tabIndex == -1)) {
        return true;
    }
    const int index = desc->IDtoIndex(id);
    const std::string name =
        index >= 0 ? EncodeUtf8(desc->paramdefs[index].int_name.data()) : std::string("?");
    MaxStandin::HostAccess::ReportFault(MaxStandin::HostAccess::FaultKind::ParamAccess,
                                        std::string(operation) + " of parameter " +
                                            std::to_string(id) + " \"" + name +
                                            "\" with table index " + std::to_string(tabIndex) +
                                            ", but the parameter is not a table");
    return false;
}

void ParamMap2::Redraw(Control& control) {
    if (!block || control.param < 0) {
        return;
    }
    const ParamDef& def = desc->GetParamDef(control.param);
    Interval valid = FOREVER;
    wchar_t text[64] = L"";
    if (def.IsFloatType()) {
        float value = 0.0f;
        block->GetValue(control.param, time, value, valid, control.tabIndex);
        std::swprintf(text, 64, L"%g", static_cast<double>(value));
        control.shown = text;
    } else if (def.IsIntType()) {
        int value = 0;
        block->GetValue(control.param, time, value, valid, control.tabIndex);
        std::swprintf(text, 64, L"%d", value);
        control.shown = text;
    } else if (def.type == TYPE_TEXMAP) {
        // A map button shows the assigned map's name.
        Texmap* map = nullptr;
        block->GetValue(control.param, time, map, valid, control.tabIndex);
        control.shown = map ? map->GetFullName(true).data() : L"None";
    }
}

void ParamMap2::RedrawAll() {
    for (Control& control : controls) {
        Redraw(control);
    }
}

void ParamMap2::Invalidate() {
    for (int i = 0; i < desc->count; ++i) {
        ++invalidations[desc->paramdefs[i].ID];
    }
    RedrawAll();
}

void ParamMap2::Invalidate(ParamID id, int tabIndex) {
    ++invalidations[id];
    if (TableIndexOk(id, tabIndex, true, "Invalidate")) {
        ForParam(id, tabIndex, [&](Control& c) { Redraw(c); });
    }
}

int ParamMap2::Invalidations(ParamID id) const {
    auto it = invalidations.find(id);
    return it == invalidations.end() ? 0 : it->second;
}

void ParamMap2::UpdateUI(TimeValue t) {
    time = t;
    RedrawAll();
    if (proc) {
        Interval valid = FOREVER;
        proc->Update(t, valid, this);
    }
}

void ParamMap2::SetParamBlock(IParamBlock2* pb) {
    if (block && block != pb && block->GetMap(mapId) == this) {
        block->SetMap(nullptr, mapId);
    }
    block = pb;
    if (block) {
        block->SetMap(this, mapId);
    }
    RedrawAll();
    if (proc) {
        proc->SetParamBlock(pb);
    }
}

HWND ParamMap2::GetHWnd() {
    return reinterpret_cast<HWND>(this);
}

void ParamMap2::Enable(ParamID id, BOOL onOff, int tabIndex) {
    if (TableIndexOk(id, tabIndex, false, "Enable")) {
        ForParam(id, tabIndex, [&](Control& c) { c.enabled = onOff != FALSE; });
    }
}

void ParamMap2::Show(ParamID id, BOOL showHide, int tabIndex) {
    if (TableIndexOk(id, tabIndex, false, "Show")) {
        ForParam(id, tabIndex, [&](Control& c) { c.visible = showHide != FALSE; });
    }
}

// The stand-in's controls have no text or spinner limits of their own to change.
void ParamMap2::SetText(ParamID, const MCHAR*, int) {}
void ParamMap2::SetRange(ParamID, float, float, int) {}

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

ParamMap2::Control* ParamMap2::FindControl(int ctrlId) {
    for (Control& control : controls) {
        if (control.id == ctrlId) {
            return &control;
        }
    }
    return nullptr;
}

INT_PTR ParamMap2::SendToProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return proc ? proc->DlgProc(time, this, GetHWnd(), msg, wParam, lParam) : 0;
}

} // namespace MaxStandin
