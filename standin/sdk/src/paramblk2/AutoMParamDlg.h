// The material editor's master dialog: the rollouts of an object's automatic blocks plus the
// secondary dialogs appended to it.
#pragma once

#include <vector>

#include "ParamMap2.h"
#include "imtl.h"

class MaxStandinAutoMParamDlg final : public IAutoMParamDlg {
public:
    MaxStandinAutoMParamDlg(ClassDesc2* cd, ReferenceTarget* thing, IMtlParams* imp);

    Class_ID ClassID() override;
    void SetThing(ReferenceTarget* m) override;
    ReferenceTarget* GetThing() override { return thing; }
    void SetTime(TimeValue t) override;
    void ReloadDialog() override;
    void DeleteThis() override;
    void ActivateDlg(BOOL onOff) override;

    void InvalidateUI() override;
    void MtlChanged() override;
    int NumDlgs() override { return static_cast<int>(subDlgs.size()); }
    void AddDlg(ParamDlg* dlg) override;
    ParamDlg* GetDlg(int i) override;
    void SetDlg(int i, ParamDlg* dlg) override;
    void DeleteDlg(ParamDlg* dlg) override;
    IParamMap2* GetMap() override { return maps.empty() ? nullptr : maps.front(); }

    void AddMap(MaxStandin::ParamMap2* map) { maps.push_back(map); }
    const std::vector<MaxStandin::ParamMap2*>& Maps() const { return maps; }
    // The class descriptor is being destroyed.
    void DescDeleted() { cd = nullptr; }

private:
    ~MaxStandinAutoMParamDlg() override = default;

    ClassDesc2* cd;
    ReferenceTarget* thing;
    IMtlParams* imp;
    std::vector<MaxStandin::ParamMap2*> maps;
    std::vector<ParamDlg*> subDlgs;
};

// Block of `obj` that a rollout of pbd shows.
IParamBlock2* BlockOf(ReferenceTarget* obj, ParamBlockDesc2* pbd);
