// Driving rollouts for tests: control state and user commands.
#include "maxhost/Rollout.h"

#include "../paramblk2/OpenMaps.h"
#include "../paramblk2/ParamMap2.h"

namespace maxhost {

namespace {

MaxStandin::ParamMap2* HostMap(IParamMap2* map) {
    return dynamic_cast<MaxStandin::ParamMap2*>(map);
}

bool IsToggle(const ParamDef& def) {
    return def.IsIntType() && (static_cast<int>(def.ctrl_type) == TYPE_SINGLECHECKBOX ||
                               def.ctrl_type == TYPE_CHECKBUTTON);
}

} // namespace

std::vector<int> RolloutControlIds(IParamMap2* map) {
    std::vector<int> ids;
    if (MaxStandin::ParamMap2* hostMap = HostMap(map)) {
        for (const auto& control : hostMap->Controls())
            ids.push_back(control.id);
    }
    return ids;
}

bool IsControlEnabled(IParamMap2* map, int ctrlId) {
    MaxStandin::ParamMap2* hostMap = HostMap(map);
    const auto* control = hostMap ? hostMap->FindControl(ctrlId) : nullptr;
    return control && control->enabled;
}

bool IsControlVisible(IParamMap2* map, int ctrlId) {
    MaxStandin::ParamMap2* hostMap = HostMap(map);
    const auto* control = hostMap ? hostMap->FindControl(ctrlId) : nullptr;
    return control && control->visible;
}

bool IsParamEnabled(IParamMap2* map, ParamID id, int tabIndex) {
    MaxStandin::ParamMap2* hostMap = HostMap(map);
    if (!hostMap)
        return false;
    bool any = false;
    for (const auto& control : hostMap->Controls()) {
        if (control.param != id || control.tabIndex != tabIndex)
            continue;
        if (!control.enabled)
            return false;
        any = true;
    }
    return any;
}

int InvalidationCount(IParamMap2* map, ParamID id) {
    MaxStandin::ParamMap2* hostMap = HostMap(map);
    return hostMap ? hostMap->Invalidations(id) : 0;
}

std::wstring ControlText(IParamMap2* map, int ctrlId) {
    MaxStandin::ParamMap2* hostMap = HostMap(map);
    const auto* control = hostMap ? hostMap->FindControl(ctrlId) : nullptr;
    return control ? control->shown : std::wstring();
}

INT_PTR SendCommand(IParamMap2* map, int ctrlId, WORD notifyCode) {
    MaxStandin::ParamMap2* hostMap = HostMap(map);
    if (!hostMap)
        return 0;
    auto* control = hostMap->FindControl(ctrlId);
    // A disabled control sends nothing.
    if (control && !control->enabled)
        return 0;
    IParamBlock2* block = hostMap->GetParamBlock();
    // The host's binding stores a check box's new state before the user procedure hears of it.
    if (control && block) {
        const ParamDef& def = hostMap->GetDesc()->GetParamDef(control->param);
        if (IsToggle(def)) {
            int current = 0;
            Interval valid = FOREVER;
            block->GetValue(control->param, hostMap->Time(), current, valid);
            block->SetValue(control->param, hostMap->Time(), current ? 0 : 1);
            // The clicked box shows its new state whatever the plug-in redraws.
            hostMap->Redraw(*control);
        }
    }
    return hostMap->SendToProc(WM_COMMAND, MAKEWPARAM(ctrlId, notifyCode), 0);
}

int OpenParamMapCount() {
    return static_cast<int>(MaxStandin::OpenParamMaps().size());
}

} // namespace maxhost
