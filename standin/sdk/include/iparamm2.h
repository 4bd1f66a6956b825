// Parameter maps: the rollouts that show a parameter block, the user procedures that add to
// them, and the material editor's master dialog that gathers them.
#pragma once

#include "imtl.h"
#include "iparamb2.h"

class ParamMap2UserDlgProc : public MaxHeapOperators {
public:
    virtual ~ParamMap2UserDlgProc() {}
    virtual INT_PTR DlgProc(TimeValue t, IParamMap2* map, HWND hWnd, UINT msg, WPARAM wParam,
                            LPARAM lParam) = 0;
    virtual void DeleteThis() = 0;
    virtual void SetThing(ReferenceTarget* /*m*/) {}
    virtual void SetParamBlock(IParamBlock2* /*pb*/) {}
    virtual void Update(TimeValue /*t*/, Interval& /*valid*/, IParamMap2* /*pmap*/) {}
};

class PB2Export IParamMap2 : public InterfaceServer {
public:
    virtual void Invalidate() = 0;
    virtual void Invalidate(ParamID id, int tabIndex = 0) = 0;
    virtual HWND GetHWnd() = 0;
    virtual IParamBlock2* GetParamBlock() = 0;
    virtual ParamBlockDesc2* GetDesc() = 0;
    virtual void Enable(ParamID id, BOOL onOff, int tabIndex = 0) = 0;
    // Installs proc; the map owns it from here on and deletes the one it replaces.
    virtual void SetUserDlgProc(ParamMap2UserDlgProc* proc = nullptr) = 0;
    virtual ParamMap2UserDlgProc* GetUserDlgProc() = 0;
    virtual void SetThing(ReferenceTarget* m) = 0;
};

class PB2Export IAutoMParamDlg : public ParamDlg {
public:
    virtual int NumDlgs() = 0;
    // Appends a secondary dialog; the master dialog deletes it with itself.
    virtual void AddDlg(ParamDlg* dlg) = 0;
    virtual ParamDlg* GetDlg(int i) = 0;
    virtual IParamMap2* GetMap() = 0;
};
