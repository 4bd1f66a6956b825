// Driving rollouts for tests: control state and user commands.
#include "maxhost/Rollout.h"

#include <optional>

#include "HostAccess.h"

namespace maxhost {

namespace {

using MaxStandin::HostAccess::ControlState;

std::optional<ControlState> FindControl(IParamMap2* map, int ctrlId) {
    for (ControlState& control : MaxStandin::HostAccess::Controls(map)) {
        if (control.id == ctrlId) {
            return control;
        }
    }
    return std::nullopt;
}

// The host's binding stores a check box's new state before the user procedure hears of it.
void ToggleCheckBox(IParamMap2* map, const ControlState& control) {
    IParamBlock2* block = map->GetParamBlock();
    if (!block || !control.toggle) {
        return;
    }
    const TimeValue t = MaxStandin::HostAccess::MapTime(map);
    int current = 0;
    Interval valid = FOREVER;
    block->GetValue(control.param, t, current, valid);
    block->SetValue(control.param, t, current ? 0 : 1);
    // The clicked box shows its new state whatever the plug-in redraws.
    MaxStandin::HostAccess::RedrawControl(map, control.id);
}

} // namespace

std::vector<int> RolloutControlIds(IParamMap2* map) {
    std::vector<int> ids;
    for (const ControlState& control : MaxStandin::HostAccess::Controls(map)) {
        ids.push_back(control.id);
    }
    return ids;
}

bool IsControlEnabled(IParamMap2* map, int ctrlId) {
    const auto control = FindControl(map, ctrlId);
    return control && control->enabled;
}

bool IsControlVisible(IParamMap2* map, int ctrlId) {
    const auto control = FindControl(map, ctrlId);
    return control && control->visible;
}

bool IsParamEnabled(IParamMap2* map, ParamID id, int tabIndex) {
    bool any = false;
    for (const ControlState& control : MaxStandin::HostAccess::Controls(map)) {
        if (control.param != id || control.tabIndex != tabIndex) {
            continue;
        }
        if (!control.enabled) {
            return false;
        }
        any = true;
    }
    return any;
}

int InvalidationCount(IParamMap2* map, ParamID id) {
    return MaxStandin::HostAccess::Invalidations(map, id);
}

std::wstring ControlText(IParamMap2* map, int ctrlId) {
    const auto control = FindControl(map, ctrlId);
    return control ? control->shown : std::wstring();
}

INT_PTR SendCommand(IParamMap2* map, int ctrlId, WORD notifyCode) {
    const auto control = FindControl(map, ctrlId);
    // A disabled control sends nothing.
    if (control && !control->enabled) {
        return 0;
    }
    if (control) {
        ToggleCheckBox(map, *control);
    }
    return MaxStandin::HostAccess::SendToProc(map, WM_COMMAND, MAKEWPARAM(ctrlId, notifyCode), 0);
}

int OpenParamMapCount() {
    return MaxStandin::HostAccess::OpenParamMapCount();
}

} // namespace maxhost
