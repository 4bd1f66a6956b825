// Matrix3: a 4x3 affine transform (three axis rows and a translation row).
#pragma once

#include "../coreexp.h"
#include "../maxheap.h"
#include "point3.h"

#include <windows.h>

#define POS_IDENT 1
#define ROT_IDENT 2
#define SCL_IDENT 4
#define MAT_IDENT (POS_IDENT | ROT_IDENT | SCL_IDENT)

class GeomExport Matrix3 {
    float m[4][3];
    DWORD flags;

public:
    // A new matrix is all zeros; IdentityMatrix makes it the identity.
    Matrix3();
    void IdentityMatrix();
    void Zero();
    bool IsIdentity() const;

    Point3 GetRow(int i) const { return Point3(m[i][0], m[i][1], m[i][2]); }
    void SetRow(int i, const Point3& p);
    Point3 GetTrans() const { return GetRow(3); }
    void SetTrans(const Point3& p) { SetRow(3, p); }
    DWORD GetIdentFlags() const { return flags; }

    Point3 PointTransform(const Point3& p) const;
    Point3 VectorTransform(const Point3& p) const;
    Matrix3 operator*(const Matrix3& b) const;
    int operator==(const Matrix3& b) const;
    int Equals(const Matrix3& b, float epsilon = 1E-6f) const;
};

inline Point3 operator*(const Point3& p, const Matrix3& a) {
    return a.PointTransform(p);
}
inline Point3 VectorTransform(const Matrix3& a, const Point3& p) {
    return a.VectorTransform(p);
}
