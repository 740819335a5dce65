#include "platform/gfx/GfxSample.h"

#include <algorithm>
#include <cstddef>

#include "platform/gfx/GfxSpan.h"

namespace {

inline uint32_t At(const uint32_t* row, int64_t i, uint32_t orMask, uint32_t border) {
    return (row && i >= 0) ? (row[i] | orMask) : border;
}

inline uint32_t TexelAt(const SGfxTexels& tex, int64_t i, int64_t j) {
    return (i < 0 || j < 0) ? tex.border : (tex.Row(j)[i] | tex.orMask);
}

}  // namespace

SGfxTexelRow GfxTexelRowAt(const SGfxTexels& tex, int64_t T, bool linear) {
    SGfxTexelRow row;
    row.width = tex.width;
    row.addressU = tex.addressU;
    row.orMask = tex.orMask;
    row.border = tex.border;
    const int64_t v = T >> 16;
    const int64_t ja = GfxAddress(v, tex.height, tex.addressV);
    row.row0 = ja >= 0 ? tex.Row(ja) : nullptr;
    if (linear) {
        const int64_t jb = GfxAddress(v + 1, tex.height, tex.addressV);
        row.row1 = jb >= 0 ? tex.Row(jb) : nullptr;
        row.fy = static_cast<uint32_t>((T >> 8) & 255);
    }
    return row;
}

void GfxSampleRowPointScalar(const SGfxTexelRow& row, int64_t S, int64_t dS, int n, uint32_t* out) {
    for (int i = 0; i < n; ++i, S += dS) {
        out[i] = At(row.row0, GfxAddress(S >> 16, row.width, row.addressU), row.orMask, row.border);
    }
}

void GfxSampleRowLinearScalar(const SGfxTexelRow& row, int64_t S, int64_t dS, int n, uint32_t* out) {
    const int64_t w = row.width;
    for (int i = 0; i < n; ++i, S += dS) {
        const int64_t u = S >> 16;
        const uint32_t fx = static_cast<uint32_t>((S >> 8) & 255);
        int64_t ia = u, ib = u + 1;
        if (u < 0 || ib >= w) {
            ia = GfxAddress(u, w, row.addressU);
            ib = GfxAddress(u + 1, w, row.addressU);
        }
        out[i] = GfxBilerp(At(row.row0, ia, row.orMask, row.border), At(row.row0, ib, row.orMask, row.border),
                           At(row.row1, ia, row.orMask, row.border), At(row.row1, ib, row.orMask, row.border), fx, row.fy);
    }
}

void GfxSampleAffinePointScalar(const SGfxTexels& tex, int64_t S, int64_t dS, int64_t T, int64_t dT, int n, uint32_t* out) {
    for (int i = 0; i < n; ++i, S += dS, T += dT) {
        out[i] = TexelAt(tex, GfxAddress(S >> 16, tex.width, tex.addressU), GfxAddress(T >> 16, tex.height, tex.addressV));
    }
}

void GfxSampleAffineLinearScalar(const SGfxTexels& tex, int64_t S, int64_t dS, int64_t T, int64_t dT, int n,
                                 uint32_t* out) {
    for (int i = 0; i < n; ++i, S += dS, T += dT) {
        const int64_t u = S >> 16, v = T >> 16;
        const uint32_t fx = static_cast<uint32_t>((S >> 8) & 255), fy = static_cast<uint32_t>((T >> 8) & 255);
        if (u >= 0 && v >= 0 && u + 1 < tex.width && v + 1 < tex.height) {
            const uint32_t* r0 = tex.Row(v) + u;
            const uint32_t* r1 = r0 + tex.pitch;
            out[i] = GfxBilerp(r0[0] | tex.orMask, r0[1] | tex.orMask, r1[0] | tex.orMask, r1[1] | tex.orMask, fx, fy);
            continue;
        }
        const int64_t ia = GfxAddress(u, tex.width, tex.addressU), ib = GfxAddress(u + 1, tex.width, tex.addressU);
        const int64_t ja = GfxAddress(v, tex.height, tex.addressV), jb = GfxAddress(v + 1, tex.height, tex.addressV);
        out[i] = GfxBilerp(TexelAt(tex, ia, ja), TexelAt(tex, ib, ja), TexelAt(tex, ia, jb), TexelAt(tex, ib, jb), fx, fy);
    }
}

void GfxFilterRowScalar(const SGfxTexelRow& row, int64_t S, int64_t dS, int n, uint32_t* out) {
    const int64_t w = row.width;
    for (int i = 0; i < n; ++i, S += dS) {
        const int64_t u = S >> 16;
        int64_t ia = u, ib = u + 1;
        if (u < 0 || ib >= w) {
            ia = GfxAddress(u, w, row.addressU);
            ib = GfxAddress(u + 1, w, row.addressU);
        }
        out[i] = GfxLerpTexels(At(row.row0, ia, row.orMask, row.border), At(row.row0, ib, row.orMask, row.border),
                               static_cast<uint32_t>((S >> 8) & 255));
    }
}

void GfxFilterColumnsScalar(const uint32_t* top, const uint32_t* bottom, uint32_t fy, int n, uint32_t* out) {
    for (int i = 0; i < n; ++i) out[i] = GfxLerpTexels(top[i], bottom[i], fy);
}

void CGfxRowCache::Clear() {
    for (SEntry& e : m_Entries) e.valid = false;
    m_Columns.valid = false;
}

const uint32_t* CGfxRowCache::_Row(const SGfxTexelRow& row, const uint32_t* texRow, int64_t S, int64_t dS, int n) {
    for (SEntry& e : m_Entries) {
        if (e.valid && e.row == texRow && e.S == S && e.dS == dS && e.n == n) {
            e.used = ++m_Clock;
            return e.texels.data();
        }
    }
    // The row used longest ago goes: never the first row of the pair being sampled.
    SEntry& e = !m_Entries[0].valid || (m_Entries[1].valid && m_Entries[0].used < m_Entries[1].used) ? m_Entries[0]
                                                                                                    : m_Entries[1];
    if (e.texels.size() < static_cast<size_t>(n)) e.texels.resize(static_cast<size_t>(n));
    SGfxTexelRow one = row;
    one.row0 = texRow;
    if (!GfxIsSimdEnabled()) {
        GfxFilterRowScalar(one, S, dS, n, e.texels.data());
    } else if (dS == 65536 || !texRow) {
        GfxFilterRowSse2(one, S, dS, n, e.texels.data());
    } else {
        if (!m_Columns.Fits(one, S, dS, n)) GfxPlanColumns(one, S, dS, n, &m_Columns);
        GfxFilterRowPlannedSse2(one, m_Columns, e.texels.data());
    }
    e.valid = true;
    e.row = texRow;
    e.S = S;
    e.dS = dS;
    e.n = n;
    e.used = ++m_Clock;
    return e.texels.data();
}

void CGfxRowCache::Rows(const SGfxTexels& tex, int64_t S, int64_t dS, int64_t T, int n, const uint32_t** top,
                        const uint32_t** bottom, uint32_t* weight) {
    const SGfxTexelRow row = GfxTexelRowAt(tex, T, true);
    *top = _Row(row, row.row0, S, dS, n);
    *weight = row.fy;
    // (x · 256 + 128) >> 8 = x: with a weight of 0 the row below counts for nothing.
    *bottom = row.fy == 0 ? nullptr : _Row(row, row.row1, S, dS, n);
}

const uint32_t* CGfxRowCache::SampleLinear(const SGfxTexels& tex, int64_t S, int64_t dS, int64_t T, int n,
                                           uint32_t* scratch) {
    const uint32_t *top = nullptr, *bottom = nullptr;
    uint32_t weight = 0;
    Rows(tex, S, dS, T, n, &top, &bottom, &weight);
    if (!bottom) {
        return top;
    }
    GfxIsSimdEnabled() ? GfxFilterColumnsSse2(top, bottom, weight, n, scratch)
                       : GfxFilterColumnsScalar(top, bottom, weight, n, scratch);
    return scratch;
}

const uint32_t* GfxSampleAffine(const SGfxTexels& tex, bool linear, int64_t S, int64_t dS, int64_t T, int64_t dT, int n,
                                uint32_t* out, CGfxRowCache* cache) {
    const bool simd = GfxIsSimdEnabled();
    if (dT == 0 && linear && cache) {
        return cache->SampleLinear(tex, S, dS, T, n, out);
    }
    if (dT == 0) {
        const SGfxTexelRow row = GfxTexelRowAt(tex, T, linear);
        if (linear && simd) {
            // The vector filter runs in its two passes, as a draw's rows do.
            CGfxRowCache rows;
            const uint32_t* texels = rows.SampleLinear(tex, S, dS, T, n, out);
            std::copy(texels, texels + n, out);
        } else if (linear) {
            GfxSampleRowLinearScalar(row, S, dS, n, out);
        } else {
            simd ? GfxSampleRowPointSse2(row, S, dS, n, out) : GfxSampleRowPointScalar(row, S, dS, n, out);
        }
        return out;
    }
    if (linear) {
        simd ? GfxSampleAffineLinearSse2(tex, S, dS, T, dT, n, out) : GfxSampleAffineLinearScalar(tex, S, dS, T, dT, n, out);
    } else {
        // One texel per pixel from rows that change along the row: no vector form
        // beats the plain loads.
        GfxSampleAffinePointScalar(tex, S, dS, T, dT, n, out);
    }
    return out;
}
