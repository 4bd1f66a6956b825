// Matrix3's exported members.
#include "geom/matrix3.h"

#include <cmath>

Matrix3::Matrix3() : m{}, flags(0) {}

void Matrix3::Zero() {
    for (auto& row : m) {
        row[0] = row[1] = row[2] = 0.0f;
    }
    flags = 0;
}

void Matrix3::IdentityMatrix() {
    Zero();
    m[0][0] = m[1][1] = m[2][2] = 1.0f;
    flags = MAT_IDENT;
}

bool Matrix3::IsIdentity() const {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 3; ++c) {
            if (m[r][c] != (r == c ? 1.0f : 0.0f)) {
                return false;
            }
        }
    }
    return true;
}

void Matrix3::SetRow(int i, const Point3& p) {
    m[i][0] = p.x;
    m[i][1] = p.y;
    m[i][2] = p.z;
    flags &= ~static_cast<DWORD>(i == 3 ? POS_IDENT : (ROT_IDENT | SCL_IDENT));
}

Point3 Matrix3::VectorTransform(const Point3& p) const {
    return Point3(p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0],
                  p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1],
                  p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2]);
}

Point3 Matrix3::PointTransform(const Point3& p) const {
    return VectorTransform(p) + GetRow(3);
}

Matrix3 Matrix3::operator*(const Matrix3& b) const {
    Matrix3 product;
    for (int r = 0; r < 3; ++r) {
        product.SetRow(r, b.VectorTransform(GetRow(r)));
    }
    product.SetRow(3, b.PointTransform(GetRow(3)));
    product.flags = flags & b.flags;
    return product;
}

int Matrix3::operator==(const Matrix3& b) const {
    return Equals(b, 0.0f);
}

int Matrix3::Equals(const Matrix3& b, float epsilon) const {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 3; ++c) {
            if (std::fabs(m[r][c] - b.m[r][c]) > epsilon) {
                return 0;
            }
        }
    }
    return 1;
}
