// Driving the material-editor rollouts the way a user would, for tests: reading control state,
// clicking controls, and a material-editor stand-in to pass as IMtlParams.
#pragma once

#include <string>
#include <vector>

#include "HostExport.h"
#include "iparamb2.h"
#include "imtl.h"

namespace maxhost {

// The dialog control ids of the map's rollout, from the descriptor's p_ui bindings.
MAXHOST_API std::vector<int> RolloutControlIds(IParamMap2* map);
// Enable state of one dialog control; false for an id the rollout does not have.
MAXHOST_API bool IsControlEnabled(IParamMap2* map, int ctrlId);
// Enable state of a parameter's controls (all of them enabled).
MAXHOST_API bool IsParamEnabled(IParamMap2* map, ParamID id, int tabIndex = 0);
MAXHOST_API bool IsControlVisible(IParamMap2* map, int ctrlId);
// How often the parameter's controls were asked to redraw (Invalidate, InvalidateUI).
MAXHOST_API int InvalidationCount(IParamMap2* map, ParamID id);
// What a bound control shows: the value the block had when the control was last drawn (at
// creation, Invalidate, InvalidateUI, UpdateUI or a user edit), as text: "%g" for floats, "%d"
// for ints and check boxes, the map's full name or "None" on a map button. Empty for a control
// bound to nothing or an id the rollout does not have.
MAXHOST_API std::wstring ControlText(IParamMap2* map, int ctrlId);

// A user command on a dialog control, as WM_COMMAND. A check box bound to a parameter first
// writes the toggled value to the block, as the host's binding does; then the message goes to
// the map's user dialog procedure. A disabled control sends nothing; an id the descriptor does not
// bind (a plain button of the dialog template) goes straight to the procedure. Returns the
// procedure's result (0 without one).
MAXHOST_API INT_PTR SendCommand(IParamMap2* map, int ctrlId, WORD notifyCode = BN_CLICKED);

// Parameter maps (rollouts) currently open, across all descriptors.
MAXHOST_API int OpenParamMapCount();

// A material editor for tests: counts MtlChanged, reports a settable time.
class MtlParamsStub : public IMtlParams {
public:
    void MtlChanged() override { ++changes; }
    TimeValue GetTime() override { return time; }

    int changes = 0;
    TimeValue time = 0;
};

} // namespace maxhost
