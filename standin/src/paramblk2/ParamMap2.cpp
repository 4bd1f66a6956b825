// The host's parameter map.
#include "ParamMap2.h"

#include <algorithm>

#include "OpenMaps.h"
#include "TemplateControls.h"

namespace MaxStandin {

ParamMap2::ParamMap2(ParamBlockDesc2* desc, MapID mapId, IParamBlock2* block, TimeValue time)
    : desc(desc), mapId(mapId), time(time) {
    for (int i = 0; i < desc->count; ++i) {
        const ParamDef& def = desc->paramdefs[i];
        if (!def.has_ui || def.map_id != mapId)
            continue;
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
    for (int ctrlId : TemplateControlIds(module, mapDef ? mapDef->dlg_template : 0)) {
        if (!FindControl(ctrlId)) {
            Control control;
            control.id = ctrlId;
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
    if (block && block->GetMap(mapId) == this)
        block->SetMap(nullptr, mapId);
    delete this;
}

void ParamMap2::ReleaseProc(ParamMap2UserDlgProc* old) {
    if (!old || old == proc || ProcInUse(old, this))
        return;
    if (ParamBlockDesc2::MapSpec* mapDef = desc->GetMapSpec(mapId)) {
        if (mapDef->dlgProc == old)
            mapDef->dlgProc = nullptr;
    }
    old->DeleteThis();
}

template <typename Fn> void ParamMap2::ForParam(ParamID id, int tabIndex, Fn fn) {
    for (Control& control : controls) {
        if (id >= 0 && control.param == id && (tabIndex < 0 || control.tabIndex == tabIndex))
            fn(control);
    }
}

void ParamMap2::Invalidate() {
    for (int i = 0; i < desc->count; ++i)
        ++invalidations[desc->paramdefs[i].ID];
}

void ParamMap2::Invalidate(ParamID id, int) {
    ++invalidations[id];
}

int ParamMap2::Invalidations(ParamID id) const {
    auto it = invalidations.find(id);
    return it == invalidations.end() ? 0 : it->second;
}

void ParamMap2::UpdateUI(TimeValue t) {
    time = t;
    if (proc) {
        Interval valid = FOREVER;
        proc->Update(t, valid, this);
    }
}

void ParamMap2::SetParamBlock(IParamBlock2* pb) {
    if (block && block != pb && block->GetMap(mapId) == this)
        block->SetMap(nullptr, mapId);
    block = pb;
    if (block)
        block->SetMap(this, mapId);
    if (proc)
        proc->SetParamBlock(pb);
}

HWND ParamMap2::GetHWnd() {
    return reinterpret_cast<HWND>(this);
}

void ParamMap2::Enable(ParamID id, BOOL onOff, int tabIndex) {
    ForParam(id, tabIndex, [&](Control& c) { c.enabled = onOff != FALSE; });
}

void ParamMap2::Show(ParamID id, BOOL showHide, int tabIndex) {
    ForParam(id, tabIndex, [&](Control& c) { c.visible = showHide != FALSE; });
}

// The stand-in's controls have no text or spinner limits of their own to change.
void ParamMap2::SetText(ParamID, const MCHAR*, int) {}
void ParamMap2::SetRange(ParamID, float, float, int) {}

void ParamMap2::SetUserDlgProc(ParamMap2UserDlgProc* newProc) {
    if (newProc == proc)
        return;
    ParamMap2UserDlgProc* old = proc;
    proc = newProc;
    ReleaseProc(old);
}

void ParamMap2::SetThing(ReferenceTarget* m) {
    if (proc)
        proc->SetThing(m);
}

ParamMap2::Control* ParamMap2::FindControl(int ctrlId) {
    for (Control& control : controls) {
        if (control.id == ctrlId)
            return &control;
    }
    return nullptr;
}

INT_PTR ParamMap2::SendToProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return proc ? proc->DlgProc(time, this, GetHWnd(), msg, wParam, lParam) : 0;
}

} // namespace MaxStandin
