// The host's view of the SDK's rollouts: what each control shows and the way to the user dialog
// procedure, so that the host can drive a rollout as a user would.
#include "HostAccess.h"

#include "OpenMaps.h"
#include "ParamMap2.h"

namespace MaxStandin {
namespace HostAccess {

namespace {

ParamMap2* SdkMap(IParamMap2* map) {
    return dynamic_cast<ParamMap2*>(map);
}

bool IsToggle(ParamMap2& map, ParamID param) {
    ParamBlockDesc2* desc = map.GetDesc();
    if (!desc || desc->IDtoIndex(param) < 0) {
        return false;
    }
    const ParamDef& def = desc->GetParamDef(param);
    return def.IsIntType() && (static_cast<int>(def.ctrl_type) == TYPE_SINGLECHECKBOX ||
                               def.ctrl_type == TYPE_CHECKBUTTON);
}

} // namespace

std::vector<ControlState> Controls(IParamMap2* map) {
    std::vector<ControlState> states;
    if (ParamMap2* sdkMap = SdkMap(map)) {
        for (const ParamMap2::Control& c : sdkMap->Controls()) {
            states.push_back({c.id, c.param, c.tabIndex, c.enabled, c.visible,
                              IsToggle(*sdkMap, c.param), c.shown});
        }
    }
    return states;
}

int Invalidations(IParamMap2* map, ParamID id) {
    ParamMap2* sdkMap = SdkMap(map);
    return sdkMap ? sdkMap->Invalidations(id) : 0;
}

TimeValue MapTime(IParamMap2* map) {
    ParamMap2* sdkMap = SdkMap(map);
    return sdkMap ? sdkMap->Time() : 0;
}

bool RedrawControl(IParamMap2* map, int ctrlId) {
    ParamMap2* sdkMap = SdkMap(map);
    ParamMap2::Control* control = sdkMap ? sdkMap->FindControl(ctrlId) : nullptr;
    if (!control) {
        return false;
    }
    sdkMap->Redraw(*control);
    return true;
}

INT_PTR SendToProc(IParamMap2* map, UINT msg, WPARAM wParam, LPARAM lParam) {
    ParamMap2* sdkMap = SdkMap(map);
    return sdkMap ? sdkMap->SendToProc(msg, wParam, lParam) : 0;
}

int OpenParamMapCount() {
    return static_cast<int>(OpenParamMaps().size());
}

} // namespace HostAccess
} // namespace MaxStandin
