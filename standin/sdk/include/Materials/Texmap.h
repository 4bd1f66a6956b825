// Texmap: the base of texture maps, with the SDK's defaults for what a map doesn't override.
#pragma once

#include "../geom/acolor.h"
#include "../geom/matrix3.h"
#include "MtlBase.h"

class ShadeContext;
class UVGen;
class XYZGen;

#define U_WRAP (1 << 0)
#define V_WRAP (1 << 1)
#define U_MIRROR (1 << 2)
#define V_MIRROR (1 << 3)

#define UVWSRC_EXPLICIT 0
#define UVWSRC_OBJXYZ 1
#define UVWSRC_EXPLICIT2 2
#define UVWSRC_WORLDXYZ 3

class CoreExport Texmap : public MtlBase {
public:
    int cacheID = 0;

    Texmap() = default;

    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    void GetClassName(MSTR& s, bool localized = true) const override;

    virtual AColor EvalColor(ShadeContext& sc) = 0;
    // The mean of the three channels of EvalColor.
    virtual float EvalMono(ShadeContext& sc);
    virtual Point3 EvalNormalPerturb(ShadeContext& sc) = 0;
    virtual BOOL HandleOwnViewPerturb() { return FALSE; }

    virtual void GetUVTransform(Matrix3& uvtrans);
    virtual int GetTextureTiling() { return U_WRAP | V_WRAP; }
    virtual int GetUVWSource() { return UVWSRC_EXPLICIT; }
    virtual int GetMapChannel() { return 1; }
    virtual UVGen* GetTheUVGen() { return nullptr; }
    virtual XYZGen* GetTheXYZGen() { return nullptr; }
    virtual void SetOutputLevel(TimeValue /*t*/, float /*v*/) {}

    virtual bool IsOutputMeaningful(ShadeContext& sc);
    virtual bool IsLocalOutputMeaningful(ShadeContext& /*sc*/) { return false; }
    virtual int IsHighDynamicRange() const { return false; }
};
