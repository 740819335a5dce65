#pragma once
// 4 × 4 float matrices for row vectors: a point is a row (x, y, z, 1) multiplied on
// the left, so A × B applies A first; the translation sits in the fourth row.
#include <cstdint>

struct CMatrix4 {
    float m[4][4] = {};
    bool operator==(const CMatrix4& other) const;
    bool operator!=(const CMatrix4& other) const { return !(*this == other); }
};

CMatrix4* MatrixIdentity(CMatrix4* out);
CMatrix4* MatrixTranslation(CMatrix4* out, float x, float y, float z);
CMatrix4* MatrixScaling(CMatrix4* out, float sx, float sy, float sz);
// Turn about the z axis by `radians` (x toward y).
CMatrix4* MatrixRotationZ(CMatrix4* out, float radians);
// The same turn by `angle` 512ths of a full turn, sine and cosine read from CSinTable.
CMatrix4* MatrixRotationSin(CMatrix4* out, int32_t angle);
// out = a × b; `out` may be `a` or `b`.
CMatrix4* MatrixMultiply(CMatrix4* out, const CMatrix4* a, const CMatrix4* b);
// Transforms the point (x, y, z, 1); the result's w is dropped.
void MatrixTransformPoint(const CMatrix4& m, float x, float y, float z, float* ox, float* oy, float* oz);
