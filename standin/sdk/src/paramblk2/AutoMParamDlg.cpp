// The material editor's master dialog.
#include "AutoMParamDlg.h"

#include <algorithm>

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

MaxStandinAutoMParamDlg::MaxStandinAutoMParamDlg(ClassDesc2* cd, ReferenceTarget* thing,
                                                 IMtlParams* imp)
    : cd(cd), thing(thing), imp(imp) {}

Class_ID MaxStandinAutoMParamDlg::ClassID() {
    return thing ? thing->ClassID() : Class_ID(0, 0);
}

void MaxStandinAutoMParamDlg::SetThing(ReferenceTarget* m) {
    thing = m;
    for (MaxStandin::ParamMap2* map : maps) {
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

void MaxStandinAutoMParamDlg::SetTime(TimeValue t) {
    for (MaxStandin::ParamMap2* map : maps) {
        map->UpdateUI(t);
    }
    for (ParamDlg* dlg : subDlgs) {
        dlg->SetTime(t);
    }
}

void MaxStandinAutoMParamDlg::ReloadDialog() {
    InvalidateUI();
    for (ParamDlg* dlg : subDlgs) {
        dlg->ReloadDialog();
    }
}

void MaxStandinAutoMParamDlg::ActivateDlg(BOOL onOff) {
    for (ParamDlg* dlg : subDlgs) {
        dlg->ActivateDlg(onOff);
    }
}

void MaxStandinAutoMParamDlg::DeleteThis() {
    std::vector<MaxStandin::ParamMap2*> closing;
    closing.swap(maps);
    for (MaxStandin::ParamMap2* map : closing) {
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

void MaxStandinAutoMParamDlg::InvalidateUI() {
    for (MaxStandin::ParamMap2* map : maps) {
        map->Invalidate();
    }
}

void MaxStandinAutoMParamDlg::MtlChanged() {
    if (imp) {
        imp->MtlChanged();
    }
}

void MaxStandinAutoMParamDlg::AddDlg(ParamDlg* dlg) {
    if (dlg) {
        subDlgs.push_back(dlg);
    }
}

ParamDlg* MaxStandinAutoMParamDlg::GetDlg(int i) {
    return i >= 0 && i < NumDlgs() ? subDlgs[static_cast<std::size_t>(i)] : nullptr;
}

void MaxStandinAutoMParamDlg::SetDlg(int i, ParamDlg* dlg) {
    if (i < 0 || i >= NumDlgs() || subDlgs[static_cast<std::size_t>(i)] == dlg) {
        return;
    }
    subDlgs[static_cast<std::size_t>(i)]->DeleteThis();
    subDlgs[static_cast<std::size_t>(i)] = dlg;
}

void MaxStandinAutoMParamDlg::DeleteDlg(ParamDlg* dlg) {
    auto it = std::find(subDlgs.begin(), subDlgs.end(), dlg);
    if (it == subDlgs.end()) {
        return;
    }
    subDlgs.erase(it);
    dlg->DeleteThis();
}
