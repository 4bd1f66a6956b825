#pragma once

#include <imtl.h>

namespace preview {

// What the host's own simple texture maps share: no references, no parameter block, no
// editor rollout, no animation and no bump. A subclass supplies its colour and identity.
class HostTexmap : public Texmap {
public:
    void DeleteThis() override { delete this; }

    void Update(TimeValue /*t*/, Interval& /*valid*/) override {}
    void Reset() override {}
    Interval Validity(TimeValue /*t*/) override { return FOREVER; }
    ParamDlg* CreateParamDlg(HWND /*hwMtlEdit*/, IMtlParams* /*imp*/) override { return nullptr; }
    Point3 EvalNormalPerturb(ShadeContext& /*sc*/) override { return Point3(0.0f, 0.0f, 0.0f); }
    float EvalMono(ShadeContext& sc) override {
        const AColor c = EvalColor(sc);
        return ((c.r + c.g) + c.b) / 3.0f;
    }

protected:
    RefResult NotifyRefChanged(const Interval& /*changeInt*/, RefTargetHandle /*hTarget*/,
                               PartID& /*partID*/, RefMessage /*message*/,
                               BOOL /*propagate*/) override {
        return REF_SUCCEED;
    }
};

} // namespace preview
