// The stand-in's standard texture output.
#include "StdTexOut.h"

namespace MaxStandin {

namespace {

constexpr USHORT kMtlBaseChunk = 0x4000;
constexpr USHORT kRollupChunk = 0x4010;

class StdTexOutDesc : public ClassDesc2 {
public:
    int IsPublic() override { return FALSE; }
    void* Create(BOOL) override {
        return static_cast<ReferenceTarget*>(new (std::nothrow) StdTexOut());
    }
    const MCHAR* ClassName() override { return _M("Output"); }
    const MCHAR* NonLocalizedClassName() override { return _M("Output"); }
    const MCHAR* InternalName() override { return _M("TexOutputClass"); }
    SClass_ID SuperClassID() override { return TEXOUTPUT_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(0x6e3f1a27, 0x2c9d4b15); }
    const MCHAR* Category() override { return _M(""); }
};

// Dialog control ids of the output rollout (edit, spinner pairs and check boxes).
enum : int {
    kAmountEdit = 2001,
    kAmountSpin,
    kLevelEdit,
    kLevelSpin,
    kOffsetEdit,
    kOffsetSpin,
    kBumpEdit,
    kBumpSpin,
    kInvertCheck,
    kClampCheck,
    kAlphaCheck,
};

ParamBlockDesc2 stdTexOutBlock(
    0, _M("parameters"), 0, StdTexOutClassDesc(), P_AUTO_CONSTRUCT + P_AUTO_UI, 0, 0, 0, 0, 0,
    nullptr, kOutputAmount, _M("Output_Amount"), TYPE_FLOAT, P_ANIMATABLE, 0, p_default, 1.0f,
    p_range, 0.0f, 1000.0f, p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, kAmountEdit, kAmountSpin, 0.01f,
    p_end, kRGBLevel, _M("RGB_Level"), TYPE_FLOAT, P_ANIMATABLE, 0, p_default, 1.0f, p_range, 0.0f,
    1000.0f, p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, kLevelEdit, kLevelSpin, 0.01f, p_end, kRGBOffset,
    _M("RGB_Offset"), TYPE_FLOAT, P_ANIMATABLE, 0, p_default, 0.0f, p_range, -1000.0f, 1000.0f,
    p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, kOffsetEdit, kOffsetSpin, 0.01f, p_end, kBumpAmount,
    _M("Bump_Amount"), TYPE_FLOAT, P_ANIMATABLE, 0, p_default, 1.0f, p_range, -1000.0f, 1000.0f,
    p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, kBumpEdit, kBumpSpin, 0.01f, p_end, kInvert, _M("invert"),
    TYPE_BOOL, 0, 0, p_default, FALSE, p_ui, TYPE_SINGLECHECKBOX, kInvertCheck, p_end, kClamp,
    _M("clamp"), TYPE_BOOL, 0, 0, p_default, FALSE, p_ui, TYPE_SINGLECHECKBOX, kClampCheck, p_end,
    kAlphaFromRGB, _M("alphaFromRGB"), TYPE_BOOL, 0, 0, p_default, FALSE, p_ui, TYPE_SINGLECHECKBOX,
    kAlphaCheck, p_end, p_end);

float Invert(float v) {
    return 1.0f - v;
}

} // namespace

ClassDesc2* StdTexOutClassDesc() {
    static StdTexOutDesc desc;
    return &desc;
}

StdTexOut::StdTexOut() {
    StdTexOutClassDesc()->MakeAutoParamBlocks(this);
    Reset();
}

void StdTexOut::GetClassName(MSTR& s, bool) const {
    s = _M("Output");
}

Class_ID StdTexOut::ClassID() {
    return StdTexOutClassDesc()->ClassID();
}

MSTR StdTexOut::SubAnimName(int i, bool) {
    return MSTR(i == 0 ? _M("Parameters") : _M(""));
}

IParamBlock2* StdTexOut::GetParamBlockByID(short id) {
    return pblock && pblock->ID() == id ? pblock : nullptr;
}

void StdTexOut::SetReference(int i, RefTargetHandle rtarg) {
    if (i == 0) {
        pblock = static_cast<IParamBlock2*>(rtarg);
    }
}

RefResult StdTexOut::NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage message,
                                      BOOL) {
    if (message == REFMSG_CHANGE) {
        ivalid.SetEmpty();
    }
    return REF_SUCCEED;
}

RefTargetHandle StdTexOut::Clone(RemapDir& remap) {
    StdTexOut* clone = new (std::nothrow) StdTexOut();
    if (!clone) {
        return nullptr;
    }
    *static_cast<MtlBase*>(clone) = *static_cast<MtlBase*>(this);
    clone->ReplaceReference(0, remap.CloneRef(pblock));
    clone->rollupOpen = rollupOpen;
    BaseClone(this, clone, remap);
    return clone;
}

IOResult StdTexOut::Save(ISave* isave) {
    isave->BeginChunk(kMtlBaseChunk);
    const IOResult result = MtlBase::Save(isave);
    isave->EndChunk();
    if (result != IO_OK) {
        return result;
    }
    ULONG written = 0;
    isave->BeginChunk(kRollupChunk);
    const IOResult rollup = isave->Write(&rollupOpen, sizeof(rollupOpen), &written);
    isave->EndChunk();
    return rollup;
}

IOResult StdTexOut::Load(ILoad* iload) {
    IOResult opened;
    while ((opened = iload->OpenChunk()) == IO_OK) {
        IOResult result = IO_OK;
        ULONG read = 0;
        if (iload->CurChunkID() == kMtlBaseChunk) {
            result = MtlBase::Load(iload);
        } else if (iload->CurChunkID() == kRollupChunk) {
            result = iload->Read(&rollupOpen, sizeof(rollupOpen), &read);
        }
        const IOResult closed = iload->CloseChunk();
        if (result != IO_OK) {
            return result;
        }
        if (closed != IO_OK) {
            return closed;
        }
    }
    ivalid.SetEmpty();
    return opened == IO_END ? IO_OK : opened;
}

float StdTexOut::ReadFloat(ParamID id, TimeValue t) {
    float v = 0.0f;
    if (pblock) {
        pblock->GetValue(id, t, v, ivalid);
    }
    return v;
}

BOOL StdTexOut::ReadBool(ParamID id) {
    int v = FALSE;
    Interval unused = FOREVER;
    if (pblock) {
        pblock->GetValue(id, 0, v, unused);
    }
    return v;
}

void StdTexOut::WriteBool(ParamID id, BOOL on) {
    if (pblock) {
        pblock->SetValue(id, 0, on ? TRUE : FALSE);
    }
}

void StdTexOut::WriteFloat(ParamID id, TimeValue t, float v) {
    if (pblock) {
        pblock->SetValue(id, t, v);
    }
}

void StdTexOut::Update(TimeValue t, Interval& valid) {
    if (!ivalid.InInterval(t)) {
        ivalid = FOREVER;
        settings.outAmount = ReadFloat(kOutputAmount, t);
        settings.rgbLevel = ReadFloat(kRGBLevel, t);
        settings.rgbOffset = ReadFloat(kRGBOffset, t);
        settings.bumpAmount = ReadFloat(kBumpAmount, t);
        settings.invert = ReadBool(kInvert);
        settings.clamp = ReadBool(kClamp);
        settings.alphaFromRGB = ReadBool(kAlphaFromRGB);
        settings.neutral = settings.outAmount == 1.0f && settings.rgbLevel == 1.0f &&
                           settings.rgbOffset == 0.0f && !settings.invert && !settings.clamp &&
                           !settings.alphaFromRGB;
    }
    valid &= ivalid;
}

void StdTexOut::Reset() {
    StdTexOutClassDesc()->Reset(this, TRUE, TRUE);
    ivalid.SetEmpty();
    Interval unused = FOREVER;
    Update(0, unused);
}

Interval StdTexOut::Validity(TimeValue t) {
    Interval valid = FOREVER;
    Update(t, valid);
    return valid;
}

ParamDlg* StdTexOut::CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp) {
    return StdTexOutClassDesc()->CreateParamDlgs(hwMtlEdit, imp, this);
}

// Each step is skipped at its neutral setting, so the defaults leave a colour bit for bit as
// it was; with all of them neutral, as for most maps, a sample pays one test.
AColor StdTexOut::Filter(AColor c) {
    return settings.neutral ? c : Adjusted(c, settings);
}

// One component at a time: had the compiler packed the colour, which arrives in two registers,
// into one vector through memory, every call would wait for that store to reach the cache.
AColor StdTexOut::Adjusted(AColor c, const Settings& s) {
    if (s.alphaFromRGB) {
        c.a = Intens(c);
    }
    if (s.rgbLevel != 1.0f) {
        c.r *= s.rgbLevel;
        c.g *= s.rgbLevel;
        c.b *= s.rgbLevel;
    }
    if (s.rgbOffset != 0.0f) {
        c.r += s.rgbOffset;
        c.g += s.rgbOffset;
        c.b += s.rgbOffset;
    }
    if (s.outAmount != 1.0f) {
        c.r *= s.outAmount;
        c.g *= s.outAmount;
        c.b *= s.outAmount;
        c.a *= s.outAmount;
    }
    if (s.invert) {
        c.r = Invert(c.r);
        c.g = Invert(c.g);
        c.b = Invert(c.b);
    }
    if (s.clamp) {
        c.ClampMinMax();
    }
    return c;
}

float StdTexOut::Filter(float f) {
    const Settings& s = settings;
    if (s.neutral) {
        return f;
    }
    if (s.rgbLevel != 1.0f) {
        f *= s.rgbLevel;
    }
    if (s.rgbOffset != 0.0f) {
        f += s.rgbOffset;
    }
    if (s.outAmount != 1.0f) {
        f *= s.outAmount;
    }
    if (s.invert) {
        f = Invert(f);
    }
    if (s.clamp) {
        f = f < 0.0f ? 0.0f : (f > 1.0f ? 1.0f : f);
    }
    return f;
}

Point3 StdTexOut::Filter(Point3 p) {
    if (settings.outAmount != 1.0f) {
        p = p * settings.outAmount;
    }
    if (settings.invert) {
        p = -p;
    }
    return p;
}

float StdTexOut::GetOutputLevel(TimeValue t) {
    return GetOutAmt(t);
}
void StdTexOut::SetOutputLevel(TimeValue t, float v) {
    SetOutAmt(v, t);
}
void StdTexOut::SetInvert(BOOL onoff) {
    WriteBool(kInvert, onoff);
}
BOOL StdTexOut::GetInvert() {
    return ReadBool(kInvert);
}
BOOL StdTexOut::GetClamp() {
    return ReadBool(kClamp);
}
BOOL StdTexOut::GetAlphaFromRGB() {
    return ReadBool(kAlphaFromRGB);
}
float StdTexOut::GetRGBAmt(TimeValue t) {
    return pblock ? pblock->GetFloat(kRGBLevel, t) : 1.0f;
}
float StdTexOut::GetRGBOff(TimeValue t) {
    return pblock ? pblock->GetFloat(kRGBOffset, t) : 0.0f;
}
float StdTexOut::GetOutAmt(TimeValue t) {
    return pblock ? pblock->GetFloat(kOutputAmount, t) : 1.0f;
}
float StdTexOut::GetBumpAmt(TimeValue t) {
    return pblock ? pblock->GetFloat(kBumpAmount, t) : 1.0f;
}
void StdTexOut::SetClamp(BOOL on) {
    WriteBool(kClamp, on);
}
void StdTexOut::SetAlphaFromRGB(BOOL on) {
    WriteBool(kAlphaFromRGB, on);
}
void StdTexOut::SetRGBAmt(float f, TimeValue t) {
    WriteFloat(kRGBLevel, t, f);
}
void StdTexOut::SetRGBOff(float f, TimeValue t) {
    WriteFloat(kRGBOffset, t, f);
}
void StdTexOut::SetOutAmt(float f, TimeValue t) {
    WriteFloat(kOutputAmount, t, f);
}
void StdTexOut::SetBumpAmt(float f, TimeValue t) {
    WriteFloat(kBumpAmount, t, f);
}

BOOL StdTexOut::GetFlag(ULONG f) {
    switch (f) {
    case TEXOUT_INVERT:
        return GetInvert();
    case TEXOUT_CLAMP:
        return GetClamp();
    case TEXOUT_ALPHA_RGB:
        return GetAlphaFromRGB();
    default:
        return FALSE;
    }
}

void StdTexOut::SetFlag(ULONG f, ULONG val) {
    switch (f) {
    case TEXOUT_INVERT:
        SetInvert(val != 0);
        break;
    case TEXOUT_CLAMP:
        SetClamp(val != 0);
        break;
    case TEXOUT_ALPHA_RGB:
        SetAlphaFromRGB(val != 0);
        break;
    default:
        break;
    }
}

} // namespace MaxStandin

TextureOutput* GetNewDefaultTextureOutput() {
    return new (std::nothrow) MaxStandin::StdTexOut();
}
