#include "engine/base/Matrix.h"

#include <cmath>

#include "engine/base/SinTable.h"

bool CMatrix4::operator==(const CMatrix4& other) const {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            if (m[r][c] != other.m[r][c]) {
                return false;
            }
        }
    }
    return true;
}

CMatrix4* MatrixIdentity(CMatrix4* out) {
    *out = CMatrix4{};
    for (int i = 0; i < 4; ++i) {
        out->m[i][i] = 1.0f;
    }
    return out;
}

CMatrix4* MatrixTranslation(CMatrix4* out, float x, float y, float z) {
    MatrixIdentity(out);
    out->m[3][0] = x;
    out->m[3][1] = y;
    out->m[3][2] = z;
    return out;
}

CMatrix4* MatrixScaling(CMatrix4* out, float sx, float sy, float sz) {
    *out = CMatrix4{};
    out->m[0][0] = sx;
    out->m[1][1] = sy;
    out->m[2][2] = sz;
    out->m[3][3] = 1.0f;
    return out;
}

CMatrix4* MatrixRotationZ(CMatrix4* out, float radians) {
    MatrixIdentity(out);
    float c = std::cos(radians);
    float s = std::sin(radians);
    out->m[0][0] = c;
    out->m[0][1] = s;
    out->m[1][0] = -s;
    out->m[1][1] = c;
    return out;
}

CMatrix4* MatrixRotationSin(CMatrix4* out, int32_t angle) {
    MatrixIdentity(out);
    const float s = static_cast<float>(CSinTable::Sin(angle)) / 65536.0f;
    const float c = static_cast<float>(CSinTable::Cos(angle)) / 65536.0f;
    out->m[0][0] = c;
    out->m[0][1] = s;
    out->m[1][0] = -s;
    out->m[1][1] = c;
    return out;
}

CMatrix4* MatrixMultiply(CMatrix4* out, const CMatrix4* a, const CMatrix4* b) {
    CMatrix4 r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a->m[i][k] * b->m[k][j];
            }
            r.m[i][j] = sum;
        }
    }
    *out = r;
    return out;
}

void MatrixTransformPoint(const CMatrix4& m, float x, float y, float z, float* ox, float* oy, float* oz) {
    float rx = x * m.m[0][0] + y * m.m[1][0] + z * m.m[2][0] + m.m[3][0];
    float ry = x * m.m[0][1] + y * m.m[1][1] + z * m.m[2][1] + m.m[3][1];
    float rz = x * m.m[0][2] + y * m.m[1][2] + z * m.m[2][2] + m.m[3][2];
    if (ox) *ox = rx;
    if (oy) *oy = ry;
    if (oz) *oz = rz;
}
