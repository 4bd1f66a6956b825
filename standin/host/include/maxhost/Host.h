// The host side of the stand-in for tools and tests: the hooks on the SDK's state (HostAccess.h:
// heap, fault records, class directory, parameter blocks, rollouts, module resources, Win32 call
// logs), and the small host objects a program playing 3ds Max passes to plug-ins.
#pragma once

#include <algorithm>

#include "HostAccess.h"
#include "HostExport.h"

namespace maxhost {

// The dialog control ids of the map's rollout, from the descriptor's p_ui bindings and the
// dialog template.
inline std::vector<int> RolloutControlIds(IParamMap2* map) {
    std::vector<int> ids;
    for (const ControlState& control : Controls(map)) {
        ids.push_back(control.id);
    }
    return ids;
}

// Enable state of one dialog control; false for an id the rollout does not have.
inline bool IsControlEnabled(IParamMap2* map, int ctrlId) {
    const std::vector<ControlState> controls = Controls(map);
    return std::any_of(controls.begin(), controls.end(),
                       [&](const ControlState& c) { return c.id == ctrlId && c.enabled; });
}

// A material editor for tests, with a settable time.
class MtlParamsStub : public IMtlParams {
public:
    void MtlChanged() override {}
    TimeValue GetTime() override { return time; }

    TimeValue time = 0;
};

// A shading context for tests and tools: every query answers from a public field.
class SimpleShadeContext : public ShadeContext {
public:
    Point3 view = Point3(0.0f, 0.0f, -1.0f); // camera towards the point
    Point3 normal = Point3(0.0f, 0.0f, 1.0f);
    Point3 geomNormal = Point3(0.0f, 0.0f, 1.0f);
    Point3 point;
    Point3 uvw;
    Point3 duvw;
    TimeValue time = 0;
    BOOL inMtlEditor = FALSE;

    BOOL InMtlEditor() override { return inMtlEditor; }
    TimeValue CurTime() override { return time; }
    Point3 Normal() override { return normal; }
    void SetNormal(Point3 p) override { normal = p; }
    Point3 GNormal() override { return geomNormal; }
    Point3 V() override { return view; }
    void SetView(Point3 p) override { view = p; }
    Point3 P() override { return point; }
    Point3 PObj() override { return point; }
    void ScreenUV(Point2& uv, Point2& duv) override {
        uv = Point2(uvw.x, uvw.y);
        duv = Point2(duvw.x, duvw.y);
    }
    Point3 UVW(int) override { return uvw; }
    Point3 DUVW(int) override { return duvw; }

    // The G-buffer id the map last handed over (0 when none).
    int GBufferID() const { return out.gbufId; }
};

} // namespace maxhost
