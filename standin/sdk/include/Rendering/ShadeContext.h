// ShadeContext: everything a material or map can ask about the sample being shaded.
#pragma once

#include "../baseinterface.h"
#include "../geom/acolor.h"
#include "../geom/box3.h"
#include "../geom/ipoint2.h"
#include "../geom/matrix3.h"
#include "../geom/point2.h"
#include "ShadeOutput.h"

class INode;
class LightDesc;
class RenderGlobalContext;
class Texmap;

enum SCMode {
    SCMODE_NORMAL = 0,
    SCMODE_SHADOW = 1,
    SCMODE_BAKE = 2,
    SCMODE_TEXMAP = 3,
    SCMODE_TEXTURE_BAKE = 4
};
enum RefFrame { REF_CAMERA = 0, REF_WORLD, REF_OBJECT };

class CoreExport ShadeContext : public InterfaceServer {
public:
    SCMode mode = SCMODE_NORMAL;
    BOOL doMaps = TRUE;
    BOOL filterMaps = TRUE;
    BOOL shadow = TRUE;
    BOOL backFace = FALSE;
    int mtlNum = 0;
    Color ambientLight;
    int nLights = 0;
    int rayLevel = 0;
    int xshadeID = 0;
    LightDesc* atmosSkipLight = nullptr;
    RenderGlobalContext* globContext = nullptr;
    ShadeOutput out;

    ShadeContext() = default;

    void ResetOutput(int n = -1) { out.Reset(n); }
    virtual Class_ID ClassID() { return Class_ID(0, 0); }
    virtual BOOL InMtlEditor() = 0;
    virtual int Antialias() { return FALSE; }
    virtual int ProjType() { return 0; }
    virtual LightDesc* Light(int n) = 0;
    virtual TimeValue CurTime() = 0;
    virtual int NodeID() { return -1; }
    virtual INode* Node() { return nullptr; }
    virtual int FaceNumber() = 0;

    // Interpolated surface normal, camera space.
    virtual Point3 Normal() = 0;
    virtual void SetNormal(Point3 /*p*/) {}
    virtual Point3 OrigNormal() { return Normal(); }
    virtual Point3 GNormal() = 0;
    virtual float Curve() { return 0.0f; }
    // Unit vector from the camera towards the shaded point, camera space.
    virtual Point3 V() = 0;
    virtual void SetView(Point3 p) = 0;
    virtual Point3 OrigView() { return V(); }
    virtual Point3 ReflectVector() = 0;
    virtual Point3 RefractVector(float ior) = 0;
    virtual void SetIOR(float /*ior*/) {}
    virtual float GetIOR() { return 1.0f; }

    virtual Point3 CamPos() = 0;
    virtual Point3 P() = 0;
    virtual Point3 DP() = 0;
    virtual Point3 PObj() = 0;
    virtual Point3 DPObj() = 0;
    virtual Box3 ObjectBox() = 0;
    virtual Point3 PObjRelBox() = 0;
    virtual Point3 DPObjRelBox() = 0;
    virtual void ScreenUV(Point2& uv, Point2& duv) = 0;
    virtual IPoint2 ScreenCoord() = 0;
    virtual Point3 UVW(int channel = 0) = 0;
    virtual Point3 DUVW(int channel = 0) = 0;
    virtual void DPdUVW(Point3 dP[3], int channel = 0) = 0;
    virtual int BumpBasisVectors(Point3 /*dP*/[2], int /*axis*/, int /*channel*/ = 0) { return 0; }
    virtual void GetBGColor(Color& bgcol, Color& transp, BOOL fogBG = TRUE) = 0;

    virtual Point3 PointTo(const Point3& p, RefFrame ito) = 0;
    virtual Point3 PointFrom(const Point3& p, RefFrame ifrom) = 0;
    virtual Point3 VectorTo(const Point3& p, RefFrame ito) = 0;
    virtual Point3 VectorFrom(const Point3& p, RefFrame ifrom) = 0;
    virtual Point3 VectorToNoScale(const Point3& p, RefFrame ito) { return VectorTo(p, ito); }
    virtual Point3 VectorFromNoScale(const Point3& p, RefFrame ifrom) {
        return VectorFrom(p, ifrom);
    }
    virtual Matrix3 MatrixTo(RefFrame ito) = 0;
    virtual Matrix3 MatrixFrom(RefFrame ifrom) = 0;

    // Records the G-buffer id of the object being shaded in the sample's output.
    virtual void SetGBufferID(int gbid) { out.gbufId = gbid; }

    virtual BOOL GetCache(Texmap* /*map*/, AColor& /*c*/) { return FALSE; }
    virtual BOOL GetCache(Texmap* /*map*/, float& /*f*/) { return FALSE; }
    virtual BOOL GetCache(Texmap* /*map*/, Point3& /*p*/) { return FALSE; }
    virtual void PutCache(Texmap* /*map*/, const AColor& /*c*/) {}
    virtual void PutCache(Texmap* /*map*/, const float /*f*/) {}
    virtual void PutCache(Texmap* /*map*/, const Point3& /*p*/) {}
    virtual void TossCache(Texmap* /*map*/) {}
};
