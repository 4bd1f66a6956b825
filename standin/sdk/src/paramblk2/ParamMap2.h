// The host's parameter map: one rollout bound to a parameter block. Controls come from the
// descriptor's p_ui bindings and are addressed by dialog control id.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "iparamm2.h"

namespace MaxStandin {

class ParamMap2 final : public IParamMap2 {
public:
    struct Control {
        int id = 0;
        ParamID param = -1;
        int tabIndex = 0;
        bool enabled = true;
        bool visible = true;
        // What the control shows: the block's value as of the last redraw.
        std::wstring shown;
    };

    ParamMap2(ParamBlockDesc2* desc, MapID mapId, IParamBlock2* block, TimeValue time);

    void Invalidate() override;
    void Invalidate(ParamID id, int tabIndex = 0) override;
    void UpdateUI(TimeValue t) override;
    void SetParamBlock(IParamBlock2* pb) override;
    MapID GetMapID() override { return mapId; }
    HWND GetHWnd() override;
    IParamBlock2* GetParamBlock() override { return block; }
    ParamBlockDesc2* GetDesc() override { return desc; }
    void Enable(ParamID id, BOOL onOff, int tabIndex = 0) override;
    void Show(ParamID id, BOOL showHide, int tabIndex = 0) override;
    void SetText(ParamID id, const MCHAR* txt, int tabIndex = 0) override;
    void SetRange(ParamID id, float low, float high, int tabIndex = 0) override;
    void SetUserDlgProc(ParamMap2UserDlgProc* proc = nullptr) override;
    ParamMap2UserDlgProc* GetUserDlgProc() override { return proc; }
    void SetThing(ReferenceTarget* m) override;

    // Sends WM_DESTROY to the user procedure, deletes it and this map.
    void Destroy();
    // The block is going away; the rollout shows nothing from here on.
    void BlockDeleted() { block = nullptr; }

    Control* FindControl(int ctrlId);
    // Draws the control again from the block's current value at the rollout's time.
    void Redraw(Control& control);
    std::vector<Control>& Controls() { return controls; }
    int Invalidations(ParamID id) const;
    TimeValue Time() const { return time; }
    INT_PTR SendToProc(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    ~ParamMap2() override;
    void ReleaseProc(ParamMap2UserDlgProc* old);
    template <typename Fn> void ForParam(ParamID id, int tabIndex, Fn fn);
    void RedrawAll();
    // No parameter here is a table: an index other than 0 (or -1, all entries, where allowed)
    // is a fault of the caller.
    bool TableIndexOk(ParamID id, int tabIndex, bool allEntriesAllowed, const char* operation);

    ParamBlockDesc2* desc;
    MapID mapId;
    IParamBlock2* block = nullptr;
    ParamMap2UserDlgProc* proc = nullptr;
    TimeValue time;
    std::vector<Control> controls;
    std::map<ParamID, int> invalidations;
};

} // namespace MaxStandin
