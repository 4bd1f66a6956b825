// The user dialog procedure of the "Nacreen Parameters" rollout. It adds what the automatic
// parameter binding does not do: the thickness-map controls follow their check box, and the two
// link buttons open their web pages.
#pragma once

#include <max.h>
#include <iparamm2.h>

class Nacreen;

class NacreenDlgProc : public ParamMap2UserDlgProc {
public:
    explicit NacreenDlgProc(Nacreen* map);

    INT_PTR DlgProc(TimeValue t, IParamMap2* map, HWND hWnd, UINT msg, WPARAM wParam,
                    LPARAM lParam) override;
    void DeleteThis() override;
    void SetThing(ReferenceTarget* m) override;

private:
    Nacreen* nacreen; // the map shown in the rollout; not owned
};
