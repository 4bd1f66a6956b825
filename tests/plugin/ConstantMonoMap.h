// A thickness map for the tests: a constant mono value, with counters of how the Nacreen map
// uses it. Its class is registered with the host so that scenes holding it load again.
#pragma once

#include <max.h>
#include <imtl.h>

#include <atomic>

namespace nacreen_test {

class ConstantMonoMap : public Texmap {
public:
    static Class_ID ClassIdentity();
    // A new map holding `value`; its class is registered with the host on first use.
    static ConstantMonoMap* Create(float value);

    explicit ConstantMonoMap(float value = 0.0f);

    float value;
    // The span Update narrows the caller's interval to.
    Interval ownValidity = FOREVER;
    std::atomic<int> evalMonoCalls{0};
    int updateCalls = 0;

    void DeleteThis() override { delete this; }
    void GetClassName(MSTR& s, bool localized = true) const override;
    Class_ID ClassID() override { return ClassIdentity(); }

    AColor EvalColor(ShadeContext& sc) override;
    float EvalMono(ShadeContext& sc) override;
    Point3 EvalNormalPerturb(ShadeContext& sc) override;

    void Update(TimeValue t, Interval& valid) override;
    void Reset() override {}
    Interval Validity(TimeValue) override { return ownValidity; }
    ParamDlg* CreateParamDlg(HWND, IMtlParams*) override { return nullptr; }

    RefTargetHandle Clone(RemapDir& remap) override;
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;

    // Sends a change message to the map's dependents, as an edit of the map would.
    void Touch();

protected:
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage,
                               BOOL) override {
        return REF_SUCCEED;
    }
};

} // namespace nacreen_test
