// Standard materials and maps; here the standard output object.
#pragma once

#include "imtl.h"

#define TEXOUT_XXXXX 1
#define TEXOUT_INVERT 2
#define TEXOUT_CLAMP 4
#define TEXOUT_ALPHA_RGB 8
#define TEXOUT_COLOR_MAP 16
#define TEXOUT_COLOR_MAP_RGB 32

// The standard output adjustment: output amount, RGB level and offset, bump amount, invert,
// clamp and alpha from RGB.
class CoreExport StdTexoutGen : public TextureOutput {
public:
    virtual BOOL GetInvert() override = 0;
    virtual BOOL GetClamp() = 0;
    virtual BOOL GetAlphaFromRGB() = 0;
    virtual float GetRGBAmt(TimeValue t) = 0;
    virtual float GetRGBOff(TimeValue t) = 0;
    virtual float GetOutAmt(TimeValue t) = 0;
    virtual float GetBumpAmt(TimeValue t) = 0;
    virtual BOOL GetFlag(ULONG f) = 0;
    virtual void SetClamp(BOOL on) = 0;
    virtual void SetAlphaFromRGB(BOOL on) = 0;
    virtual void SetRGBAmt(float f, TimeValue t) = 0;
    virtual void SetRGBOff(float f, TimeValue t) = 0;
    virtual void SetOutAmt(float f, TimeValue t) = 0;
    virtual void SetBumpAmt(float f, TimeValue t) = 0;
    virtual void SetFlag(ULONG f, ULONG val) = 0;
};
