// ParamDlg: the editor dialog of a material, texture map or output object.
#pragma once

#include "../baseinterface.h"

class ReferenceTarget;

class CoreExport ParamDlg : public InterfaceServer {
public:
    virtual Class_ID ClassID() = 0;
    virtual void SetThing(ReferenceTarget* m) = 0;
    virtual ReferenceTarget* GetThing() = 0;
    virtual void SetTime(TimeValue t) = 0;
    virtual void ReloadDialog() = 0;
    virtual void DeleteThis() = 0;
    virtual void ActivateDlg(BOOL onOff) = 0;
    virtual int FindSubTexFromHWND(HWND /*hwnd*/) { return -1; }
    virtual int FindSubMtlFromHWND(HWND /*hwnd*/) { return -1; }
    virtual INT_PTR Execute(int /*cmd*/, ULONG_PTR /*arg1*/ = 0, ULONG_PTR /*arg2*/ = 0,
                            ULONG_PTR /*arg3*/ = 0) {
        return 0;
    }
};
