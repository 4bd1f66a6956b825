// The stand-in's standard texture output: output amount, RGB level and offset, bump amount,
// invert, clamp and alpha from RGB, as animatable parameters of its own block.
#pragma once

#include "iparamm2.h"
#include "stdmat.h"

namespace MaxStandin {

enum StdTexOutParam : ParamID {
    kOutputAmount = 0,
    kRGBLevel = 1,
    kRGBOffset = 2,
    kBumpAmount = 3,
    kInvert = 4,
    kClamp = 5,
    kAlphaFromRGB = 6,
};

class StdTexOut final : public StdTexoutGen {
public:
    StdTexOut();

    // Animatable / ReferenceMaker
    void GetClassName(MSTR& s, bool localized = true) const override;
    Class_ID ClassID() override;
    int NumSubs() override { return 1; }
    Animatable* SubAnim(int i) override { return i == 0 ? pblock : nullptr; }
    MSTR SubAnimName(int i, bool localized) override;
    int SubNumToRefNum(int subNum) override { return subNum; }
    int NumParamBlocks() override { return 1; }
    IParamBlock2* GetParamBlock(int) override { return pblock; }
    IParamBlock2* GetParamBlockByID(short id) override;
    int NumRefs() override { return 1; }
    RefTargetHandle GetReference(int i) override { return i == 0 ? pblock : nullptr; }
    RefTargetHandle Clone(RemapDir& remap) override;
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;

    // MtlBase
    void Update(TimeValue t, Interval& valid) override;
    void Reset() override;
    Interval Validity(TimeValue t) override;
    ParamDlg* CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp) override;

    // TextureOutput
    AColor Filter(AColor c) override;
    float Filter(float f) override;
    Point3 Filter(Point3 p) override;
    float GetOutputLevel(TimeValue t) override;
    void SetOutputLevel(TimeValue t, float v) override;
    void SetInvert(BOOL onoff) override;
    BOOL GetInvert() override;
    void SetRollupOpen(BOOL open) override { rollupOpen = open; }
    BOOL GetRollupOpen() override { return rollupOpen; }

    // StdTexoutGen
    BOOL GetClamp() override;
    BOOL GetAlphaFromRGB() override;
    float GetRGBAmt(TimeValue t) override;
    float GetRGBOff(TimeValue t) override;
    float GetOutAmt(TimeValue t) override;
    float GetBumpAmt(TimeValue t) override;
    BOOL GetFlag(ULONG f) override;
    void SetClamp(BOOL on) override;
    void SetAlphaFromRGB(BOOL on) override;
    void SetRGBAmt(float f, TimeValue t) override;
    void SetRGBOff(float f, TimeValue t) override;
    void SetOutAmt(float f, TimeValue t) override;
    void SetBumpAmt(float f, TimeValue t) override;
    void SetFlag(ULONG f, ULONG val) override;

protected:
    void SetReference(int i, RefTargetHandle rtarg) override;
    RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget, PartID& partID,
                               RefMessage message, BOOL propagate) override;

private:
    // Values read by the last Update; Filter runs on render threads and reads only these.
    struct Settings {
        float outAmount = 1.0f;
        float rgbLevel = 1.0f;
        float rgbOffset = 0.0f;
        float bumpAmount = 1.0f;
        BOOL invert = FALSE;
        BOOL clamp = FALSE;
        BOOL alphaFromRGB = FALSE;
        bool neutral = true; // every step at its neutral setting: Filter leaves values alone
    };

    static AColor Adjusted(AColor c, const Settings& s);
    float ReadFloat(ParamID id, TimeValue t);
    BOOL ReadBool(ParamID id);
    void WriteBool(ParamID id, BOOL on);
    void WriteFloat(ParamID id, TimeValue t, float v);

    IParamBlock2* pblock = nullptr;
    Settings settings;
    Interval ivalid;
    BOOL rollupOpen = TRUE;
};

ClassDesc2* StdTexOutClassDesc();

} // namespace MaxStandin
