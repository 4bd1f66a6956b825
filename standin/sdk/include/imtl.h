// Materials and texture maps: the shading context, the editor dialogs, the base classes of maps
// and of their output adjustment.
#pragma once

#include "plugapi.h"
#include "ref.h"

class IParamMap2;
class Texmap;

// What one shading sample produces.
class ShadeOutput : public MaxHeapOperators {
public:
    int gbufId = 0;
};

// Everything a material or map can ask about the sample being shaded.
class CoreExport ShadeContext : public InterfaceServer {
public:
    ShadeOutput out;

    virtual BOOL InMtlEditor() = 0;
    virtual TimeValue CurTime() = 0;
    // Interpolated surface normal, camera space.
    virtual Point3 Normal() = 0;
    virtual void SetNormal(Point3 p) = 0;
    virtual Point3 GNormal() = 0;
    // Unit vector from the camera towards the shaded point, camera space.
    virtual Point3 V() = 0;
    virtual void SetView(Point3 p) = 0;
    virtual Point3 P() = 0;
    virtual Point3 PObj() = 0;
    virtual void ScreenUV(Point2& uv, Point2& duv) = 0;
    virtual Point3 UVW(int channel = 0) = 0;
    virtual Point3 DUVW(int channel = 0) = 0;
    // Records the G-buffer id of the object being shaded in the sample's output.
    virtual void SetGBufferID(int gbid) { out.gbufId = gbid; }
};

// The editor dialog of a material, texture map or output object.
class CoreExport ParamDlg : public InterfaceServer {
public:
    virtual Class_ID ClassID() = 0;
    virtual void SetThing(ReferenceTarget* m) = 0;
    virtual ReferenceTarget* GetThing() = 0;
    virtual void DeleteThis() = 0;
};

// The material editor as seen by the dialogs it hosts.
class CoreExport IMtlParams : public InterfaceServer {
public:
    // The edited material or map changed; the editor redraws its sample slots.
    virtual void MtlChanged() = 0;
    virtual TimeValue GetTime() = 0;
};

// The sub-texture-map slots of a material or map.
class CoreExport ISubMap : public MaxHeapOperators {
public:
    virtual ~ISubMap() = default;
    virtual int NumSubTexmaps() { return 0; }
    virtual Texmap* GetSubTexmap(int) { return nullptr; }
    virtual void SetSubTexmap(int, Texmap*) {}
    virtual MSTR GetSubTexmapSlotName(int, bool) { return MSTR(); }
    // The name track view shows for sub-texmap i: its slot name, or "Map #n".
    MSTR GetSubTexmapTVName(int i, bool localized = true);
    virtual BOOL SetDlgThing(ParamDlg*) { return FALSE; }
};

// What materials, texture maps and output objects share: a name, a G-buffer id and the editor
// dialog.
class CoreExport MtlBase : public ReferenceTarget, public ISubMap {
    MSTR name;
    ULONG mtlFlags = 0;

public:
    // G-buffer effect id of the object; 0 means none.
    ULONG gbufID = 0;

    MSTR& GetName() { return name; }
    void SetName(MSTR s) { name = s; }
    ULONG GetGBufID() { return gbufID; }
    void SetGBufID(ULONG id) { gbufID = id; }

    // Copies the base data (name, flags, G-buffer id); used by Clone.
    MtlBase& operator=(const MtlBase& m);

    virtual ULONG LocalRequirements(int) { return 0; }
    virtual void Update(TimeValue t, Interval& valid) = 0;
    virtual void Reset() = 0;
    virtual Interval Validity(TimeValue t) = 0;
    virtual ParamDlg* CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp) = 0;

    // Write and read the base data, each item in a chunk of its own.
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;
};

// The base of texture maps, with the SDK's defaults for what a map doesn't override.
class CoreExport Texmap : public MtlBase {
public:
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    void GetClassName(MSTR& s, bool localized = true) const override;

    virtual AColor EvalColor(ShadeContext& sc) = 0;
    // The mean of the three channels of EvalColor.
    virtual float EvalMono(ShadeContext& sc) { return Intens(EvalColor(sc)); }
    virtual Point3 EvalNormalPerturb(ShadeContext& sc) = 0;
    virtual void GetUVTransform(Matrix3& uvtrans) { uvtrans.IdentityMatrix(); }
    virtual bool IsLocalOutputMeaningful(ShadeContext&) { return false; }
};

// The output adjustment (level, offset, amount, invert, clamp) a map applies to its result.
class CoreExport TextureOutput : public MtlBase {
public:
    SClass_ID SuperClassID() override { return TEXOUTPUT_CLASS_ID; }
    virtual AColor Filter(AColor c) = 0;
    virtual float GetOutputLevel(TimeValue t) = 0;
    virtual void SetOutputLevel(TimeValue t, float v) = 0;
    virtual void SetInvert(BOOL onoff) = 0;
    virtual BOOL GetInvert() = 0;
};

// A new output object with default settings, which leave colours unchanged.
CoreExport TextureOutput* GetNewDefaultTextureOutput();
