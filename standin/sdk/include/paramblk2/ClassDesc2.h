// ClassDesc2: a class descriptor that also knows the class's parameter block descriptors and
// builds, resets and shows the blocks they describe.
#pragma once

#include <vector>

#include "../plugapi.h"
#include "../iparamb2Typedefs.h"

class IAutoMParamDlg;
class IMtlParams;
class ReferenceTarget;

class PB2Export ClassDesc2 : public ClassDesc {
public:
    ClassDesc2();
    ~ClassDesc2() override;

    void ResetClassParams(BOOL fileReset = FALSE) override;

    // Creates each P_AUTO_CONSTRUCT block and installs it as the owner's reference ref_no.
    void MakeAutoParamBlocks(ReferenceMaker* owner) override;
    // Returns every automatic block of the owner to the descriptor's defaults.
    void Reset(ReferenceMaker* owner, BOOL updateUI = TRUE, BOOL callSetHandlers = TRUE);

    int NumParamBlockDescs() override;
    ParamBlockDesc2* GetParamBlockDesc(int i) override;
    ParamBlockDesc2* GetParamBlockDescByID(BlockID id) override;
    ParamBlockDesc2* GetParamBlockDescByName(const MCHAR* name);
    void AddParamBlockDesc(ParamBlockDesc2* pbd) override;
    void ClearParamBlockDescs();

    // Builds the material-editor rollouts of every P_AUTO_UI block of obj (CreateParamDlgs) or
    // of one block's map (CreateParamDlg).
    IAutoMParamDlg* CreateParamDlgs(HWND hwMtlEdit, IMtlParams* imp, ReferenceTarget* obj);
    IAutoMParamDlg* CreateParamDlg(BlockID id, HWND hwMtlEdit, IMtlParams* imp,
                                   ReferenceTarget* obj, MapID mapID = 0);
    void MasterDlgDeleted(IAutoMParamDlg* dlg);

    void InvalidateUI();
    void InvalidateUI(ParamBlockDesc2* pbd) override;
    void InvalidateUI(ParamBlockDesc2* pbd, ParamID id, int tabIndex = -1);

    bool SetUserDlgProc(ParamBlockDesc2* pbd, MapID map_id, ParamMap2UserDlgProc* proc = nullptr);
    bool SetUserDlgProc(ParamBlockDesc2* pbd, ParamMap2UserDlgProc* proc = nullptr) override {
        return SetUserDlgProc(pbd, 0, proc);
    }
    ParamMap2UserDlgProc* GetUserDlgProc(ParamBlockDesc2* pbd, MapID map_id = 0);
    // The open rollout of pbd's map, or null when none is open.
    IParamMap2* GetParamMap(ParamBlockDesc2* pbd, MapID map_id = 0);

private:
    friend class ParamBlockDesc2;
    friend class MaxStandinAutoMParamDlg;
    void RemoveParamBlockDesc(ParamBlockDesc2* pbd);
    IParamMap2* NewestOpenMap(ParamBlockDesc2* pbd, MapID map_id);

    std::vector<ParamBlockDesc2*> pbDescs;
    std::vector<IAutoMParamDlg*> masterDlgs;
};
