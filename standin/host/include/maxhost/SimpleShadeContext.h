// A concrete shading context for tests and tools: every query answers from a public field.
#pragma once

#include "imtl.h"

namespace maxhost {

class SimpleShadeContext : public ShadeContext {
public:
    Point3 view = Point3(0.0f, 0.0f, -1.0f); // camera towards the point
    Point3 normal = Point3(0.0f, 0.0f, 1.0f);
    Point3 geomNormal = Point3(0.0f, 0.0f, 1.0f);
    Point3 point;
    Point3 uvw;
    Point3 duvw;
    TimeValue time = 0;
    BOOL inMtlEditor = FALSE;
    int face = 0;

    BOOL InMtlEditor() override { return inMtlEditor; }
    LightDesc* Light(int) override { return nullptr; }
    TimeValue CurTime() override { return time; }
    int FaceNumber() override { return face; }
    Point3 Normal() override { return normal; }
    void SetNormal(Point3 p) override { normal = p; }
    Point3 GNormal() override { return geomNormal; }
    Point3 V() override { return view; }
    void SetView(Point3 p) override { view = p; }
    Point3 ReflectVector() override { return view - 2.0f * DotProd(normal, view) * normal; }
    Point3 RefractVector(float) override { return view; }
    Point3 CamPos() override { return Point3(); }
    Point3 P() override { return point; }
    Point3 DP() override { return Point3(); }
    Point3 PObj() override { return point; }
    Point3 DPObj() override { return Point3(); }
    Box3 ObjectBox() override { return Box3(Point3(-1, -1, -1), Point3(1, 1, 1)); }
    Point3 PObjRelBox() override { return point; }
    Point3 DPObjRelBox() override { return Point3(); }
    void ScreenUV(Point2& uv, Point2& duv) override {
        uv = Point2(uvw.x, uvw.y);
        duv = Point2(duvw.x, duvw.y);
    }
    IPoint2 ScreenCoord() override { return IPoint2(); }
    Point3 UVW(int) override { return uvw; }
    Point3 DUVW(int) override { return duvw; }
    void DPdUVW(Point3 dP[3], int) override { dP[0] = dP[1] = dP[2] = Point3(); }
    void GetBGColor(Color& bgcol, Color& transp, BOOL) override {
        bgcol.Black();
        transp.Black();
    }
    Point3 PointTo(const Point3& p, RefFrame) override { return p; }
    Point3 PointFrom(const Point3& p, RefFrame) override { return p; }
    Point3 VectorTo(const Point3& p, RefFrame) override { return p; }
    Point3 VectorFrom(const Point3& p, RefFrame) override { return p; }
    Matrix3 MatrixTo(RefFrame) override { return Identity(); }
    Matrix3 MatrixFrom(RefFrame) override { return Identity(); }

    // The G-buffer id the map last handed over (0 when none).
    int GBufferID() const { return out.gbufId; }

private:
    static Matrix3 Identity() {
        Matrix3 m;
        m.IdentityMatrix();
        return m;
    }
};

} // namespace maxhost
