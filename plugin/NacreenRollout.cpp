// The map's editor dialog: the automatic "Nacreen Parameters" rollout with its user dialog
// procedure, and the output object's rollout below it.
#include "Nacreen.h"

#include <iparamm2.h>

#include "HostHeap.h"
#include "NacreenClassDesc.h"
#include "NacreenDlgProc.h"
#include "NacreenParamBlock.h"

namespace {
// The output object's dialog made by the latest CreateParamDlg; shared by all maps and never
// owned.
ParamDlg* outputDlg = nullptr;
} // namespace

ParamDlg* Nacreen::CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp) {
    IAutoMParamDlg* masterDlg = GetNacreenDesc()->CreateParamDlgs(hwMtlEdit, imp, this);
    // From here on the host owns the procedure and frees it through DeleteThis. Without one the
    // rollout still works, only without the link buttons and the check-box refresh.
    nacreenParamBlockDesc.SetUserDlgProc(nacreen_rollout, NewOnHostHeap<NacreenDlgProc>(this));
    outputDlg = textureOutput->CreateParamDlg(hwMtlEdit, imp);
    masterDlg->AddDlg(outputDlg);
    UpdateThicknessControls();
    return masterDlg;
}

void Nacreen::UpdateThicknessControls() {
    if (!paramBlock) {
        return;
    }
    const BOOL enabled = paramBlock->GetInt(pb_thicknessmapenabled, 0, 0);
    IParamMap2* map = paramBlock->GetMap(nacreen_rollout);
    if (!map) {
        return;
    }
    map->Enable(pb_thicknessmin, enabled, 0);
    map->Enable(pb_thicknessmap, enabled, 0);
}

BOOL Nacreen::SetDlgThing(ParamDlg* dlg) {
    if (outputDlg && dlg == outputDlg) {
        outputDlg->SetThing(textureOutput);
        return TRUE;
    }
    return FALSE;
}
