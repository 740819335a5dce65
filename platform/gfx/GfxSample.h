#pragma once
// Texel fetch and filtering of the software device's affine rows: each pixel of a row
// gets the texel (point) or the 2 × 2 weighted texels (linear) at a 16.16 fixed-point
// texel coordinate that steps by a constant per pixel.  The plain C++ kernels are the
// reference; the SSE2 ones give the same bits and take blocks of four pixels whose
// texels all lie inside the texture, handing the rest (edges, wrapping, border) to the
// plain code.  Internal to platform/gfx.
#include <cstdint>
#include <vector>

#include "platform/gfx/GfxTypes.h"

// A texel index after addressing; -1 for the border colour.
inline int64_t GfxAddress(int64_t i, int64_t size, uint32_t mode) {
    if (i >= 0 && i < size) {
        return i;
    }
    switch (mode) {
    case GFX_TADDRESS_WRAP: {
        int64_t m = i % size;
        return m < 0 ? m + size : m;
    }
    case GFX_TADDRESS_MIRROR: {
        int64_t period = size * 2;
        int64_t m = i % period;
        if (m < 0) m += period;
        return m < size ? m : period - 1 - m;
    }
    case GFX_TADDRESS_BORDER:
        return -1;
    default:
        return i < 0 ? 0 : size - 1;
    }
}

// One texel pair weighed by fx towards c1, two channels per multiply, rounded.
inline uint32_t GfxLerpTexels(uint32_t c0, uint32_t c1, uint32_t f) {
    const uint32_t m = 0x00FF00FFu, half = 0x00800080u;
    const uint32_t rb = (((c0 & m) * (256 - f) + (c1 & m) * f + half) >> 8) & m;
    const uint32_t ag = ((((c0 >> 8) & m) * (256 - f) + ((c1 >> 8) & m) * f + half) >> 8) & m;
    return rb | (ag << 8);
}

// Bilinear blend of four texels with 8-bit weights (fx towards c10 and c11, fy towards
// the second row), two channels per multiply: the horizontal pass is rounded before
// the vertical one.
inline uint32_t GfxBilerp(uint32_t c00, uint32_t c10, uint32_t c01, uint32_t c11, uint32_t fx, uint32_t fy) {
    const uint32_t m = 0x00FF00FFu, half = 0x00800080u;
    const uint32_t ix = 256 - fx, iy = 256 - fy;
    const uint32_t topRB = (((c00 & m) * ix + (c10 & m) * fx + half) >> 8) & m;
    const uint32_t topAG = ((((c00 >> 8) & m) * ix + ((c10 >> 8) & m) * fx + half) >> 8) & m;
    const uint32_t botRB = (((c01 & m) * ix + (c11 & m) * fx + half) >> 8) & m;
    const uint32_t botAG = ((((c01 >> 8) & m) * ix + ((c11 >> 8) & m) * fx + half) >> 8) & m;
    const uint32_t rb = ((topRB * iy + botRB * fy + half) >> 8) & m;
    const uint32_t ag = ((topAG * iy + botAG * fy + half) >> 8) & m;
    return rb | (ag << 8);
}

// The A8R8G8B8 texels of a texture as the samplers read them: texel (i, j) is
// rows[j · pitch + i] | orMask, addressing by the modes, the border colour for what
// addressing puts outside.
struct SGfxTexels {
    const uint32_t* rows = nullptr;
    int64_t pitch = 0;  // in texels
    int64_t width = 0;
    int64_t height = 0;
    uint32_t orMask = 0;
    uint32_t addressU = GFX_TADDRESS_WRAP;
    uint32_t addressV = GFX_TADDRESS_WRAP;
    uint32_t border = 0;

    const uint32_t* Row(int64_t j) const { return rows + j * pitch; }
};

// A row that keeps to one texture row (linear: one pair of rows) at texel coordinate
// T (16.16), as every unrotated draw does: the rows, the vertical weight and their
// addressing are worked out once, the columns per pixel.
struct SGfxTexelRow {
    const uint32_t* row0 = nullptr;  // null: the border colour
    const uint32_t* row1 = nullptr;  // linear only, the row below; null: the border colour
    uint32_t fy = 0;                 // linear only, the weight of row1 (0..255)
    int64_t width = 0;
    uint32_t addressU = GFX_TADDRESS_WRAP;
    uint32_t orMask = 0;
    uint32_t border = 0;
};

// The row of `tex` at T; T is the coordinate already moved back by half a texel for
// linear filtering.
SGfxTexelRow GfxTexelRowAt(const SGfxTexels& tex, int64_t T, bool linear);

// Pixel i of a row samples column (S + i · dS) >> 16; linear filtering weighs the
// column to its right by bits 8..15 of that coordinate.  `out` receives n texels.
void GfxSampleRowPointScalar(const SGfxTexelRow& row, int64_t S, int64_t dS, int n, uint32_t* out);
void GfxSampleRowLinearScalar(const SGfxTexelRow& row, int64_t S, int64_t dS, int n, uint32_t* out);
void GfxSampleRowPointSse2(const SGfxTexelRow& row, int64_t S, int64_t dS, int n, uint32_t* out);

// A rotated (or sheared) row: pixel i samples (S + i · dS, T + i · dT).
void GfxSampleAffinePointScalar(const SGfxTexels& tex, int64_t S, int64_t dS, int64_t T, int64_t dT, int n, uint32_t* out);
void GfxSampleAffineLinearScalar(const SGfxTexels& tex, int64_t S, int64_t dS, int64_t T, int64_t dT, int n,
                                 uint32_t* out);
void GfxSampleAffineLinearSse2(const SGfxTexels& tex, int64_t S, int64_t dS, int64_t T, int64_t dT, int n,
                               uint32_t* out);

// The linear filter in its two passes: the horizontal pass of row.row0 alone (row1 and
// fy are not read), then the vertical pass of two such rows.  GfxBilerp is exactly the
// vertical pass of the horizontal passes of its two rows.
void GfxFilterRowScalar(const SGfxTexelRow& row, int64_t S, int64_t dS, int n, uint32_t* out);
void GfxFilterRowSse2(const SGfxTexelRow& row, int64_t S, int64_t dS, int n, uint32_t* out);
void GfxFilterColumnsScalar(const uint32_t* top, const uint32_t* bottom, uint32_t fy, int n, uint32_t* out);
void GfxFilterColumnsSse2(const uint32_t* top, const uint32_t* bottom, uint32_t fy, int n, uint32_t* out);

// The columns of a draw's horizontal passes, worked out once for all its rows (every
// row of an unrotated draw steps the same way): for each block of four pixels whether
// its texel pairs lie side by side inside the texture, each pixel's left column and its
// weight (in both 16-bit halves, as the vector filter takes it).
struct SGfxColumns {
    bool valid = false;
    int64_t S = 0, dS = 0, width = 0;
    uint32_t addressU = 0;
    int n = 0;
    std::vector<int32_t> column;
    std::vector<uint32_t> weight;
    std::vector<uint8_t> inside;

    bool Fits(const SGfxTexelRow& row, int64_t s, int64_t ds, int count) const {
        return valid && S == s && dS == ds && n == count && width == row.width && addressU == row.addressU;
    }
};
void GfxPlanColumns(const SGfxTexelRow& row, int64_t S, int64_t dS, int n, SGfxColumns* plan);
// The horizontal pass of row.row0 by a plan (the vector form of GfxFilterRowScalar).
void GfxFilterRowPlannedSse2(const SGfxTexelRow& row, const SGfxColumns& plan, uint32_t* out);

// The horizontal passes of the last two texture rows a linear draw of unrotated rows
// used.  Neighbouring rows of the target share texture rows (both rows of an
// enlargement, one of two at 1:1 or a mild reduction), so each texture row is filtered
// across once rather than once for every target row that reads it.  Only valid within
// one draw of one texture stage: textures may change between draws.
class CGfxRowCache {
public:
    void Clear();
    // Texels of `tex` for pixels with column (S + i · dS) >> 16, row T >> 16
    // (T moved back by half a texel); a pointer to n texels that stays valid until the
    // next call, either into the cache or `scratch`.
    const uint32_t* SampleLinear(const SGfxTexels& tex, int64_t S, int64_t dS, int64_t T, int n, uint32_t* scratch);
    // The same with the vertical pass left to the caller: the texels are
    // GfxLerpTexels(top[i], bottom[i], weight); bottom is null when the weight is 0 and
    // top holds the texels.
    void Rows(const SGfxTexels& tex, int64_t S, int64_t dS, int64_t T, int n, const uint32_t** top,
              const uint32_t** bottom, uint32_t* weight);

private:
    struct SEntry {
        bool valid = false;
        const uint32_t* row = nullptr;  // null: a row in the border
        int64_t S = 0, dS = 0;
        int n = 0;
        uint64_t used = 0;
        std::vector<uint32_t> texels;
    };
    const uint32_t* _Row(const SGfxTexelRow& row, const uint32_t* texRow, int64_t S, int64_t dS, int n);

    SEntry m_Entries[2];
    uint64_t m_Clock = 0;
    SGfxColumns m_Columns;
};

// The kernels above by the processor and GfxIsSimdEnabled; dT == 0 takes the row kernels
// (through `cache` for linear filtering when one is given).  Returns the texels: `out`,
// or n texels in the cache.
const uint32_t* GfxSampleAffine(const SGfxTexels& tex, bool linear, int64_t S, int64_t dS, int64_t T, int64_t dT, int n,
                                uint32_t* out, CGfxRowCache* cache = nullptr);
