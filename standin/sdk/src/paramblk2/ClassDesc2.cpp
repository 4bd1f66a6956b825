// ClassDesc2: the class's block descriptors, automatic blocks and rollouts.
#include "paramblk2/ClassDesc2.h"

#include <algorithm>

#include "AutoMParamDlg.h"
#include "OpenMaps.h"
#include "ParamBlock2.h"
#include "iparamm2.h"

ClassDesc2::ClassDesc2() = default;

ClassDesc2::~ClassDesc2() {
    for (ParamBlockDesc2* pbd : pbDescs) {
        pbd->cd = nullptr;
    }
    for (IAutoMParamDlg* dlg : masterDlgs) {
        static_cast<MaxStandinAutoMParamDlg*>(dlg)->DescDeleted();
    }
}

void ClassDesc2::ResetClassParams(BOOL) {}

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
        if (IParamBlock2* pb = BlockOf(target, pbd)) {
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

void ClassDesc2::ClearParamBlockDescs() {
    for (ParamBlockDesc2* pbd : pbDescs) {
        pbd->cd = nullptr;
    }
    pbDescs.clear();
}

void ClassDesc2::RemoveParamBlockDesc(ParamBlockDesc2* pbd) {
    pbDescs.erase(std::remove(pbDescs.begin(), pbDescs.end(), pbd), pbDescs.end());
}

namespace {

MaxStandin::ParamMap2* OpenMap(ParamBlockDesc2* pbd, const ParamBlockDesc2::MapSpec& mapDef,
                               ReferenceTarget* obj, IMtlParams* imp) {
    const TimeValue time = imp ? imp->GetTime() : 0;
    auto* map =
        new (std::nothrow) MaxStandin::ParamMap2(pbd, mapDef.map_id, BlockOf(obj, pbd), time);
    if (!map) {
        return nullptr;
    }
    // A procedure still serving another open rollout cannot be shared.
    if (mapDef.dlgProc && !MaxStandin::ProcInUse(mapDef.dlgProc, map)) {
        map->SetUserDlgProc(mapDef.dlgProc);
    }
    map->SendToProc(WM_INITDIALOG, 0, 0);
    return map;
}

} // namespace

IAutoMParamDlg* ClassDesc2::CreateParamDlgs(HWND, IMtlParams* imp, ReferenceTarget* obj) {
    auto* master = new (std::nothrow) MaxStandinAutoMParamDlg(this, obj, imp);
    if (!master) {
        return nullptr;
    }
    for (ParamBlockDesc2* pbd : pbDescs) {
        if (!(pbd->flags & P_AUTO_UI) || (pbd->flags & P_CLASS_PARAMS)) {
            continue;
        }
        for (int i = 0; i < pbd->NumMapSpecs(); ++i) {
            if (MaxStandin::ParamMap2* map = OpenMap(pbd, *pbd->GetMapSpecByIndex(i), obj, imp)) {
                master->AddMap(map);
            }
        }
    }
    masterDlgs.push_back(master);
    return master;
}

IAutoMParamDlg* ClassDesc2::CreateParamDlg(BlockID id, HWND, IMtlParams* imp, ReferenceTarget* obj,
                                           MapID mapID) {
    ParamBlockDesc2* pbd = GetParamBlockDescByID(id);
    ParamBlockDesc2::MapSpec* mapDef = pbd ? pbd->GetMapSpec(mapID) : nullptr;
    if (!mapDef) {
        return nullptr;
    }
    auto* master = new (std::nothrow) MaxStandinAutoMParamDlg(this, obj, imp);
    if (!master) {
        return nullptr;
    }
    if (MaxStandin::ParamMap2* map = OpenMap(pbd, *mapDef, obj, imp)) {
        master->AddMap(map);
    }
    masterDlgs.push_back(master);
    return master;
}

void ClassDesc2::MasterDlgDeleted(IAutoMParamDlg* dlg) {
    masterDlgs.erase(std::remove(masterDlgs.begin(), masterDlgs.end(), dlg), masterDlgs.end());
}

void ClassDesc2::InvalidateUI() {
    for (ParamBlockDesc2* pbd : pbDescs) {
        InvalidateUI(pbd);
    }
}

void ClassDesc2::InvalidateUI(ParamBlockDesc2* pbd) {
    for (IAutoMParamDlg* dlg : masterDlgs) {
        for (MaxStandin::ParamMap2* map : static_cast<MaxStandinAutoMParamDlg*>(dlg)->Maps()) {
            if (map->GetDesc() == pbd) {
                map->Invalidate();
            }
        }
    }
}

void ClassDesc2::InvalidateUI(ParamBlockDesc2* pbd, ParamID id, int tabIndex) {
    for (IAutoMParamDlg* dlg : masterDlgs) {
        for (MaxStandin::ParamMap2* map : static_cast<MaxStandinAutoMParamDlg*>(dlg)->Maps()) {
            if (map->GetDesc() == pbd) {
                map->Invalidate(id, tabIndex);
            }
        }
    }
}

bool ClassDesc2::SetUserDlgProc(ParamBlockDesc2* pbd, MapID map_id, ParamMap2UserDlgProc* proc) {
    if (!pbd) {
        return false;
    }
    pbd->SetUserDlgProc(map_id, proc);
    return true;
}

ParamMap2UserDlgProc* ClassDesc2::GetUserDlgProc(ParamBlockDesc2* pbd, MapID map_id) {
    return pbd ? pbd->GetUserDlgProc(map_id) : nullptr;
}

IParamMap2* ClassDesc2::GetParamMap(ParamBlockDesc2* pbd, MapID map_id) {
    return NewestOpenMap(pbd, map_id);
}

IParamMap2* ClassDesc2::NewestOpenMap(ParamBlockDesc2* pbd, MapID map_id) {
    for (auto dlg = masterDlgs.rbegin(); dlg != masterDlgs.rend(); ++dlg) {
        for (MaxStandin::ParamMap2* map : static_cast<MaxStandinAutoMParamDlg*>(*dlg)->Maps()) {
            if (map->GetDesc() == pbd && map->GetMapID() == map_id) {
                return map;
            }
        }
    }
    return nullptr;
}
