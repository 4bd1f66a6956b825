// TextureOutput: the output adjustment (level, offset, amount, invert, clamp) a map applies to
// its result.
#pragma once

#include "Texmap.h"

class CoreExport TextureOutput : public MtlBase {
public:
    SClass_ID SuperClassID() override { return TEXOUTPUT_CLASS_ID; }

    virtual AColor Filter(AColor c) = 0;
    virtual float Filter(float f) = 0;
    virtual Point3 Filter(Point3 p) = 0;
    virtual float GetOutputLevel(TimeValue t) = 0;
    virtual void SetOutputLevel(TimeValue t, float v) = 0;
    virtual void SetInvert(BOOL onoff) = 0;
    virtual BOOL GetInvert() = 0;
    virtual void SetRollupOpen(BOOL open) = 0;
    virtual BOOL GetRollupOpen() = 0;
};

// A new output object with default settings, which leave colours unchanged.
CoreExport TextureOutput* GetNewDefaultTextureOutput();
