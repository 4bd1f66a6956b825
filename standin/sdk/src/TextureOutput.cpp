// Texture maps and their output: the base data every map shares and its persistence, and the
// standard texture output that GetNewDefaultTextureOutput makes.
#include "Standin.h"

namespace {

// Chunks inside whatever chunk the object wraps around MtlBase::Save.
constexpr USHORT kNameChunk = 0x4001;
constexpr USHORT kFlagsChunk = 0x4002;
constexpr USHORT kGBufIdChunk = 0x4003;
// MTL_BEING_EDITED and MTL_SUB_BEING_EDITED: editing state belongs to the original.
constexpr ULONG kBeingEdited = 0x6;

IOResult WriteULong(ISave* isave, USHORT chunk, ULONG value) {
    ULONG written = 0;
    isave->BeginChunk(chunk);
    const IOResult result = isave->Write(&value, sizeof(value), &written);
    isave->EndChunk();
    return result;
}

} // namespace

MtlBase& MtlBase::operator=(const MtlBase& m) {
    name = m.name;
    gbufID = m.gbufID;
    // Editing state belongs to the original, not to its copy.
    mtlFlags = m.mtlFlags & ~kBeingEdited;
    return *this;
}

IOResult MtlBase::Save(ISave* isave) {
    isave->BeginChunk(kNameChunk);
    const IOResult named = isave->WriteWString(name.data());
    isave->EndChunk();
    if (named != IO_OK) {
        return named;
    }
    IOResult result = WriteULong(isave, kFlagsChunk, mtlFlags);
    if (result != IO_OK) {
        return result;
    }
    return WriteULong(isave, kGBufIdChunk, gbufID);
}

IOResult MtlBase::Load(ILoad* iload) {
    return MaxStandin::ReadChunks(iload, [&](USHORT chunk) {
        ULONG count = 0;
        switch (chunk) {
        case kNameChunk: {
            wchar_t* text = nullptr;
            const IOResult result = iload->ReadWStringChunk(&text);
            if (result == IO_OK) {
                name = text;
            }
            return result;
        }
        case kFlagsChunk:
            return iload->Read(&mtlFlags, sizeof(mtlFlags), &count);
        case kGBufIdChunk:
            return iload->Read(&gbufID, sizeof(gbufID), &count);
        default:
            return IO_OK;
        }
    });
}

void Texmap::GetClassName(MSTR& s, bool) const {
    s = _M("Texture");
}

MSTR ISubMap::GetSubTexmapTVName(int i, bool localized) {
    MSTR slot = GetSubTexmapSlotName(i, localized);
    return slot.isNull() ? MSTR((L"Map #" + std::to_wstring(i + 1)).c_str()) : slot;
}

namespace MaxStandin {

// The standard output adjustment: output amount, RGB level and offset, bump amount, invert,
// clamp and alpha from RGB, as animatable parameters of its own block.
enum StdTexOutParam : ParamID {
    kOutputAmount,
    kRGBLevel,
    kRGBOffset,
    kBumpAmount,
    kInvert,
    kClamp,
    kAlphaFromRGB,
};

class StdTexOut final : public TextureOutput {
public:
    StdTexOut();

    // Animatable / ReferenceMaker
    void GetClassName(MSTR& s, bool localized = true) const override;
    Class_ID ClassID() override;
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
    float GetOutputLevel(TimeValue t) override {
        return pblock ? pblock->GetFloat(kOutputAmount, t) : 1.0f;
    }
    void SetOutputLevel(TimeValue t, float v) override { WriteFloat(kOutputAmount, t, v); }
    void SetInvert(BOOL onoff) override {
        if (pblock) {
            pblock->SetValue(kInvert, 0, onoff ? TRUE : FALSE);
        }
    }
    BOOL GetInvert() override { return pblock ? pblock->GetInt(kInvert) : FALSE; }

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
    void WriteFloat(ParamID id, TimeValue t, float v) {
        if (pblock) {
            pblock->SetValue(id, t, v);
        }
    }

    IParamBlock2* pblock = nullptr;
    Settings settings;
    Interval ivalid;
    BOOL rollupOpen = TRUE; // kept in scene files as the SDK's output keeps it
};

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

// The output rollout is the host's own and binds no dialog controls.
// clang-format off
ParamBlockDesc2 stdTexOutBlock(
    0, _M("parameters"), 0, StdTexOutClassDesc(), P_AUTO_CONSTRUCT + P_AUTO_UI, 0,
    0, 0, 0, 0, nullptr,
    kOutputAmount, _M("Output_Amount"), TYPE_FLOAT, P_ANIMATABLE, 0,
        p_default, 1.0f, p_range, 0.0f, 1000.0f, p_end,
    kRGBLevel, _M("RGB_Level"), TYPE_FLOAT, P_ANIMATABLE, 0,
        p_default, 1.0f, p_range, 0.0f, 1000.0f, p_end,
    kRGBOffset, _M("RGB_Offset"), TYPE_FLOAT, P_ANIMATABLE, 0,
        p_default, 0.0f, p_range, -1000.0f, 1000.0f, p_end,
    kBumpAmount, _M("Bump_Amount"), TYPE_FLOAT, P_ANIMATABLE, 0,
        p_default, 1.0f, p_range, -1000.0f, 1000.0f, p_end,
    kInvert, _M("invert"), TYPE_BOOL, 0, 0, p_default, FALSE, p_end,
    kClamp, _M("clamp"), TYPE_BOOL, 0, 0, p_default, FALSE, p_end,
    kAlphaFromRGB, _M("alphaFromRGB"), TYPE_BOOL, 0, 0, p_default, FALSE, p_end,
    p_end);
// clang-format on

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
    ivalid.SetEmpty();
    return ReadChunks(iload, [&](USHORT chunk) {
        ULONG read = 0;
        if (chunk == kMtlBaseChunk) {
            return MtlBase::Load(iload);
        }
        return chunk == kRollupChunk ? iload->Read(&rollupOpen, sizeof(rollupOpen), &read) : IO_OK;
    });
}

float StdTexOut::ReadFloat(ParamID id, TimeValue t) {
    float v = 0.0f;
    if (pblock) {
        pblock->GetValue(id, t, v, ivalid);
    }
    return v;
}

void StdTexOut::Update(TimeValue t, Interval& valid) {
    if (!ivalid.InInterval(t)) {
        ivalid = FOREVER;
        settings.outAmount = ReadFloat(kOutputAmount, t);
        settings.rgbLevel = ReadFloat(kRGBLevel, t);
        settings.rgbOffset = ReadFloat(kRGBOffset, t);
        settings.bumpAmount = ReadFloat(kBumpAmount, t);
        settings.invert = pblock ? pblock->GetInt(kInvert) : FALSE;
        settings.clamp = pblock ? pblock->GetInt(kClamp) : FALSE;
        settings.alphaFromRGB = pblock ? pblock->GetInt(kAlphaFromRGB) : FALSE;
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
        c.r = 1.0f - c.r;
        c.g = 1.0f - c.g;
        c.b = 1.0f - c.b;
    }
    if (s.clamp) {
        c.ClampMinMax();
    }
    return c;
}

} // namespace MaxStandin

TextureOutput* GetNewDefaultTextureOutput() {
    return new (std::nothrow) MaxStandin::StdTexOut();
}
