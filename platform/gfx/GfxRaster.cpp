#include "platform/gfx/GfxRaster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/gfx/GfxSample.h"

namespace {

// Vertex positions are snapped to 1/256 pixel before coverage is decided.
constexpr int kSubBits = 8;
constexpr int64_t kSub = 1 << kSubBits;
// Triangles reaching farther than this from the origin are not drawn.
constexpr double kMaxCoord = 1.0e6;

inline int64_t FloorDiv(int64_t n, int64_t d) {  // d > 0
    int64_t q = n / d;
    if ((n % d) != 0 && n < 0) {
        --q;
    }
    return q;
}
inline int64_t CeilDiv(int64_t n, int64_t d) { return -FloorDiv(-n, d); }

struct SPlane {
    double a = 0, b = 0, c = 0;
    double At(double x, double y) const { return a * x + b * y + c; }
};

SPlane MakePlane(const double* x, const double* y, double fa, double fb, double fc) {
    double dx1 = x[1] - x[0], dy1 = y[1] - y[0], dx2 = x[2] - x[0], dy2 = y[2] - y[0];
    double det = dx1 * dy2 - dx2 * dy1;
    double df1 = fb - fa, df2 = fc - fa;
    SPlane p;
    if (det != 0.0) {
        p.a = (df1 * dy2 - df2 * dy1) / det;
        p.b = (df2 * dx1 - df1 * dx2) / det;
    }
    p.c = fa - p.a * x[0] - p.b * y[0];
    return p;
}

struct SSetup {
    bool persp = false;
    SPlane q;
    bool textured[GFX_MAX_STAGES] = {false, false};
    SPlane s[GFX_MAX_STAGES], t[GFX_MAX_STAGES];
    uint32_t filter[GFX_MAX_STAGES] = {GFX_TEXF_POINT, GFX_TEXF_POINT};
    bool constColor = true;
    uint32_t color = 0xFFFFFFFFu;
    SPlane col[4];  // b, g, r, a
    EGfxSpanKernel kernel = EGfxSpanKernel::Generic;
    int64_t anchorX = 0;  // the primitive's first visible pixel column (see SFixedRow)
};

struct SScratch {
    std::vector<uint32_t> tex[GFX_MAX_STAGES];
    std::vector<uint32_t> diffuse;
    CGfxRowCache rows[GFX_MAX_STAGES];
};

SScratch& Scratch(int n) {
    thread_local SScratch scratch;
    size_t need = static_cast<size_t>(n);
    for (auto& v : scratch.tex) {
        if (v.size() < need) v.resize(need);
    }
    if (scratch.diffuse.size() < need) scratch.diffuse.resize(need);
    return scratch;
}

// What the row caches hold is only good within one draw: textures change between draws.
void ForgetRows() {
    for (CGfxRowCache& c : Scratch(0).rows) c.Clear();
}

inline uint32_t Texel(const SGfxSampler& sm, int64_t i, int64_t j) {
    if (i < 0 || j < 0) {
        return sm.border;
    }
    return sm.pixels->ArgbRow(static_cast<uint32_t>(j))[i] | sm.alphaOr;
}

// A texel coordinate held where converting it to an index is defined: not a number
// reads as 0, anything beyond ±2^40 texels (far past every texture) as that bound,
// where each addressing mode still gives its texel.
inline double HoldCoord(double v) {
    constexpr double kReach = 1099511627776.0;
    if (std::isnan(v)) {
        return 0.0;
    }
    return std::clamp(v, -kReach, kReach);
}

inline uint32_t SamplePoint(const SGfxSampler& sm, double s, double t) {
    int64_t w = sm.pixels->GetWidth(), h = sm.pixels->GetHeight();
    int64_t i = GfxAddress(static_cast<int64_t>(std::floor(HoldCoord(s))), w, sm.addressU);
    int64_t j = GfxAddress(static_cast<int64_t>(std::floor(HoldCoord(t))), h, sm.addressV);
    return Texel(sm, i, j);
}

inline uint32_t SampleLinear(const SGfxSampler& sm, double s, double t) {
    int64_t w = sm.pixels->GetWidth(), h = sm.pixels->GetHeight();
    double fs = HoldCoord(s) - 0.5, ft = HoldCoord(t) - 0.5;
    double fi = std::floor(fs), fj = std::floor(ft);
    int64_t i0 = static_cast<int64_t>(fi), j0 = static_cast<int64_t>(fj);
    uint32_t fx = static_cast<uint32_t>((fs - fi) * 256.0 + 0.5);
    uint32_t fy = static_cast<uint32_t>((ft - fj) * 256.0 + 0.5);
    if (fx >= 256) {
        fx = 0;
        ++i0;
    }
    if (fy >= 256) {
        fy = 0;
        ++j0;
    }
    int64_t ia = GfxAddress(i0, w, sm.addressU), ib = GfxAddress(i0 + 1, w, sm.addressU);
    int64_t ja = GfxAddress(j0, h, sm.addressV), jb = GfxAddress(j0 + 1, h, sm.addressV);
    uint32_t c00 = Texel(sm, ia, ja), c10 = Texel(sm, ib, ja), c01 = Texel(sm, ia, jb), c11 = Texel(sm, ib, jb);
    uint32_t out = 0;
    for (int shift = 0; shift <= 24; shift += 8) {
        uint32_t top = ((c00 >> shift) & 255) * (256 - fx) + ((c10 >> shift) & 255) * fx;
        uint32_t bot = ((c01 >> shift) & 255) * (256 - fx) + ((c11 >> shift) & 255) * fx;
        out |= (((top * (256 - fy) + bot * fy) + 32768) >> 16) << shift;
    }
    return out;
}

inline bool IsLinear(uint32_t filter) { return filter == GFX_TEXF_LINEAR || filter == GFX_TEXF_ANISOTROPIC || filter > 3; }

bool Setup(const SGfxDrawContext& ctx, const SGfxRasterVertex* const v[3], const double* x, const double* y, SSetup* st) {
    st->persp = !(v[0]->rhw == v[1]->rhw && v[1]->rhw == v[2]->rhw);
    if (st->persp) {
        for (int i = 0; i < 3; ++i) {
            if (!(v[i]->rhw > 0.0f) || !std::isfinite(v[i]->rhw)) {
                return false;
            }
        }
        st->q = MakePlane(x, y, v[0]->rhw, v[1]->rhw, v[2]->rhw);
    }
    auto w = [&](int i) { return st->persp ? static_cast<double>(v[i]->rhw) : 1.0; };
    for (uint32_t k = 0; k < GFX_MAX_STAGES; ++k) {
        const SGfxSampler& sm = ctx.sampler[k];
        st->textured[k] = sm.pixels != nullptr;
        if (!st->textured[k]) {
            continue;
        }
        double tw = sm.pixels->GetWidth(), th = sm.pixels->GetHeight();
        double sv[3], tv[3];
        for (int i = 0; i < 3; ++i) {
            sv[i] = static_cast<double>(v[i]->uv[k][0]) * tw * w(i);
            tv[i] = static_cast<double>(v[i]->uv[k][1]) * th * w(i);
        }
        st->s[k] = MakePlane(x, y, sv[0], sv[1], sv[2]);
        st->t[k] = MakePlane(x, y, tv[0], tv[1], tv[2]);
        // Minification when a pixel step spans more than one texel.
        double rx = std::hypot(st->s[k].a, st->t[k].a), ry = std::hypot(st->s[k].b, st->t[k].b);
        if (st->persp) {
            double q = std::max(1e-12, std::fabs(st->q.At(x[0], y[0])));
            rx /= q;
            ry /= q;
        }
        st->filter[k] = std::max(rx, ry) > 1.0 + 1e-9 ? sm.minFilter : sm.magFilter;
    }
    st->constColor = v[0]->color == v[1]->color && v[1]->color == v[2]->color;
    st->color = v[0]->color;
    if (!st->constColor) {
        for (int ch = 0; ch < 4; ++ch) {
            double f[3];
            for (int i = 0; i < 3; ++i) {
                f[i] = static_cast<double>((v[i]->color >> (ch * 8)) & 255u) * w(i);
            }
            st->col[ch] = MakePlane(x, y, f[0], f[1], f[2]);
        }
    }
    st->kernel = GfxChooseSpanKernel(ctx.shade, st->constColor, st->color);
    return true;
}

// The 16.16 fixed-point mapping of one row: texel coordinates × 65536 at column x
// are S + (x − anchor)·dS and T + (x − anchor)·dT.  Rows are anchored at the
// primitive's first visible column, not at the span being drawn, so that a pixel
// gets the same sample whichever span draws it (a quad drawn whole by the rectangle
// path or as its two triangles); the anchor column itself gets the exact coordinate
// and the step's rounding adds up over at most one target's width.
struct SFixedRow {
    int64_t anchor = 0;
    int64_t S = 0, T = 0, dS = 0, dT = 0;
};

// False when the coordinates are too large for fixed point (or not numbers): the
// caller then samples in doubles.
bool MakeFixedRow(const SPlane& ps, const SPlane& pt, bool linear, int64_t anchor, int64_t x0, int64_t y, int n,
                  SFixedRow* row) {
    constexpr double kOne = 65536.0, kLimit = 1e12, kStepLimit = 1e6;
    double ad = static_cast<double>(anchor), yd = static_cast<double>(y);
    double s = ps.At(ad, yd), t = pt.At(ad, yd);
    if (linear) {
        s -= 0.5;
        t -= 0.5;
    }
    double xa = static_cast<double>(x0 - anchor), xb = static_cast<double>(x0 + n - 1 - anchor);
    double sa = s + ps.a * xa, sb = s + ps.a * xb, ta = t + pt.a * xa, tb = t + pt.a * xb;
    // |x − anchor| stays within the target's width, so with these bounds no product
    // or sum below leaves 64 bits.
    if (!(std::fabs(s) < kLimit && std::fabs(t) < kLimit && std::fabs(ps.a) < kStepLimit && std::fabs(pt.a) < kStepLimit &&
          std::fabs(sa) < kLimit && std::fabs(sb) < kLimit && std::fabs(ta) < kLimit && std::fabs(tb) < kLimit)) {
        return false;
    }
    row->anchor = anchor;
    row->S = std::llround(s * kOne);
    row->T = std::llround(t * kOne);
    row->dS = std::llround(ps.a * kOne);
    row->dT = std::llround(pt.a * kOne);
    return true;
}

// The texels a sampler reads.
SGfxTexels TexelsOf(const SGfxSampler& sm) {
    const CGfxPixels& px = *sm.pixels;
    SGfxTexels tex;
    tex.rows = px.ArgbRow(0);
    tex.pitch = px.ArgbPitch();
    tex.width = px.GetWidth();
    tex.height = px.GetHeight();
    tex.orMask = sm.alphaOr;
    tex.addressU = sm.addressU;
    tex.addressV = sm.addressV;
    tex.border = sm.border;
    return tex;
}

// Samples pixels x0 .. x0 + n - 1 of a fixed-point row: `out` or texels the row cache holds.
const uint32_t* SampleAffine(const SGfxSampler& sm, const SFixedRow& row, bool linear, int64_t x0, int n, uint32_t* out,
                             CGfxRowCache* cache) {
    const int64_t S = row.S + (x0 - row.anchor) * row.dS, T = row.T + (x0 - row.anchor) * row.dT;
    return GfxSampleAffine(TexelsOf(sm), linear, S, row.dS, T, row.dT, n, out, cache);
}

// The one texel a point-sampled unrotated row reads throughout, or null: a row of
// few columns (a strip one texel wide stretched across the screen, a small plane
// enlarged) whose texels all hold one value.
const uint32_t* UniformTexel(const SGfxSampler& sm, const SFixedRow& row, int64_t x0, int n) {
    const int64_t S = row.S + (x0 - row.anchor) * row.dS;
    const int64_t first = S >> 16, last = (S + (n - 1) * row.dS) >> 16, j = row.T >> 16;
    const int64_t lo = std::min(first, last), hi = std::max(first, last);
    if (row.dT != 0 || lo < 0 || hi >= sm.pixels->GetWidth() || j < 0 || j >= sm.pixels->GetHeight() ||
        (hi - lo + 1) * 16 > n) {
        return nullptr;
    }
    const uint32_t* r = sm.pixels->ArgbRow(static_cast<uint32_t>(j));
    for (int64_t i = lo + 1; i <= hi; ++i) {
        if (r[i] != r[lo]) return nullptr;
    }
    return r + lo;
}

// Texels of one stage for pixels x0 .. x0 + n - 1 of row y: a pointer straight into
// the texture when the mapping is one texel per pixel along the row (exactly what
// SampleAffine would fetch), else sampled.  With `below`, a linear unrotated row may
// come back with its vertical pass still to do (see SGfxSpan::tex0Below), so that
// the shading does it on the way; with `uniform`, a point-sampled row of one texel
// value as that one texel.
const uint32_t* FetchTexels(const SGfxDrawContext& ctx, const SSetup& st, uint32_t k, int64_t x0, int64_t y, int n,
                            uint32_t* scratch, CGfxRowCache* cache, uint32_t* orMask, const uint32_t** below = nullptr,
                            uint32_t* weight = nullptr, bool* uniform = nullptr) {
    const SGfxSampler& sm = ctx.sampler[k];
    const SPlane& ps = st.s[k];
    const SPlane& pt = st.t[k];
    bool linear = IsLinear(st.filter[k]);
    *orMask = 0;
    SFixedRow row;
    if (!st.persp && MakeFixedRow(ps, pt, linear, st.anchorX, x0, y, n, &row)) {
        if (row.dS == 65536 && row.dT == 0) {
            int64_t S = row.S + (x0 - row.anchor) * row.dS;
            // Linear filtering with both weights 0 returns the first texel as it is.
            bool direct = !linear || (((S >> 8) & 255) == 0 && ((row.T >> 8) & 255) == 0);
            int64_t i0 = S >> 16, j = row.T >> 16;
            int64_t w = sm.pixels->GetWidth(), h = sm.pixels->GetHeight();
            if (direct && j >= 0 && j < h && i0 >= 0 && i0 + n <= w) {
                *orMask = sm.alphaOr;
                return sm.pixels->ArgbRow(static_cast<uint32_t>(j)) + i0;
            }
        }
        if (uniform && !linear) {
            if (const uint32_t* texel = UniformTexel(sm, row, x0, n)) {
                *orMask = sm.alphaOr;
                *uniform = true;
                return texel;
            }
        }
        if (below && linear && row.dT == 0) {
            const uint32_t* top = nullptr;
            cache->Rows(TexelsOf(sm), row.S + (x0 - row.anchor) * row.dS, row.dS, row.T, n, &top, below, weight);
            return top;
        }
        return SampleAffine(sm, row, linear, x0, n, scratch, cache);
    }
    double yd = static_cast<double>(y);
    double rowS = ps.b * yd + ps.c, rowT = pt.b * yd + pt.c, rowQ = st.q.b * yd + st.q.c;
    for (int i = 0; i < n; ++i) {
        double xd = static_cast<double>(x0 + i);
        double s = ps.a * xd + rowS, t = pt.a * xd + rowT;
        if (st.persp) {
            double q = st.q.a * xd + rowQ;
            s /= q;
            t /= q;
        }
        scratch[i] = linear ? SampleLinear(sm, s, t) : SamplePoint(sm, s, t);
    }
    return scratch;
}

void ShadeRow(const SGfxDrawContext& ctx, const SSetup& st, int64_t y, int64_t x0, int64_t x1) {
    int n = static_cast<int>(x1 - x0 + 1);
    if (n <= 0) {
        return;
    }
    SScratch& sc = Scratch(n);
    SGfxSpan span;
    span.dest = reinterpret_cast<uint32_t*>(ctx.target->Row(static_cast<uint32_t>(y))) + x0;
    span.count = n;
    if (st.textured[0]) {
        // Only the fast kernels take a row of one texel as that texel.
        span.tex0 = FetchTexels(ctx, st, 0, x0, y, n, sc.tex[0].data(), &sc.rows[0], &span.tex0Or, &span.tex0Below,
                                &span.tex0Weight, st.kernel != EGfxSpanKernel::Generic ? &span.tex0Uniform : nullptr);
    }
    if (st.textured[1]) {
        span.tex1 = FetchTexels(ctx, st, 1, x0, y, n, sc.tex[1].data(), &sc.rows[1], &span.tex1Or);
    }
    if (st.constColor) {
        span.constDiffuse = st.color;
    } else {
        double yd = static_cast<double>(y);
        double rowQ = st.q.b * yd + st.q.c;
        for (int i = 0; i < n; ++i) {
            double xd = static_cast<double>(x0 + i);
            double inv = st.persp ? 1.0 / (st.q.a * xd + rowQ) : 1.0;
            uint32_t c = 0;
            for (int ch = 0; ch < 4; ++ch) {
                // Held to 0..255 before rounding: a steep perspective (or a value
                // that is not a number) must not reach lround out of its range.
                double f = st.col[ch].At(xd, yd) * inv;
                uint32_t iv = !(f > 0.0) ? 0u : f >= 255.0 ? 255u : static_cast<uint32_t>(std::lround(f));
                c |= iv << (ch * 8);
            }
            sc.diffuse[i] = c;
        }
        span.diffuse = sc.diffuse.data();
    }
    GfxShadeSpan(ctx.shade, st.kernel, span);
}

bool Finite(const SGfxRasterVertex& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::fabs(v.x) < kMaxCoord && std::fabs(v.y) < kMaxCoord;
}

inline int64_t Snap(float v) { return static_cast<int64_t>(std::llround(static_cast<double>(v) * kSub)); }

bool SameVertex(const SGfxRasterVertex* a, const SGfxRasterVertex* b) {
    return a == b || std::memcmp(a, b, sizeof(SGfxRasterVertex)) == 0;
}

}  // namespace

void GfxDrawTriangle(const SGfxDrawContext& ctx, const SGfxRasterVertex& va, const SGfxRasterVertex& vb,
                     const SGfxRasterVertex& vc) {
    if (!Finite(va) || !Finite(vb) || !Finite(vc)) {
        return;
    }
    const SGfxRasterVertex* v[3] = {&va, &vb, &vc};
    int64_t X[3], Y[3];
    for (int i = 0; i < 3; ++i) {
        X[i] = Snap(v[i]->x);
        Y[i] = Snap(v[i]->y);
    }
    int64_t area = (X[1] - X[0]) * (Y[2] - Y[0]) - (Y[1] - Y[0]) * (X[2] - X[0]);
    if (area == 0) {
        return;
    }
    // A positive area winds clockwise on the screen (y grows downwards).
    if ((ctx.cull == GFX_CULL_CCW && area < 0) || (ctx.cull == GFX_CULL_CW && area > 0)) {
        return;
    }
    if (area < 0) {
        std::swap(v[1], v[2]);
        std::swap(X[1], X[2]);
        std::swap(Y[1], Y[2]);
    }
    double x[3], y[3];
    for (int i = 0; i < 3; ++i) {
        x[i] = static_cast<double>(X[i]) / kSub;
        y[i] = static_cast<double>(Y[i]) / kSub;
    }
    SSetup st;
    if (!Setup(ctx, v, x, y, &st)) {
        return;
    }
    ForgetRows();
    st.anchorX = std::max<int64_t>(CeilDiv(std::min({X[0], X[1], X[2]}), kSub), ctx.clip.left);
    // Edge P→Q covers pixel centre p when (XQ−XP)(py−YP) − (YQ−YP)(px−XP) > 0, or = 0 on
    // a top edge (horizontal, interior below) or a left edge (going up).
    struct SEdge {
        int64_t dx, dy, xp, yp, bias;
    } e[3];
    for (int i = 0; i < 3; ++i) {
        int p = i, q = (i + 1) % 3;
        e[i].dx = X[q] - X[p];
        e[i].dy = Y[q] - Y[p];
        e[i].xp = X[p];
        e[i].yp = Y[p];
        bool topLeft = (e[i].dy == 0 && e[i].dx > 0) || e[i].dy < 0;
        e[i].bias = topLeft ? 0 : -1;
    }
    int64_t minY = std::min({Y[0], Y[1], Y[2]}), maxY = std::max({Y[0], Y[1], Y[2]});
    int64_t minX = std::min({X[0], X[1], X[2]}), maxX = std::max({X[0], X[1], X[2]});
    int64_t y0 = std::max<int64_t>(CeilDiv(minY, kSub), ctx.clip.top);
    int64_t y1 = std::min<int64_t>(FloorDiv(maxY, kSub), ctx.clip.bottom - 1);
    int64_t bx0 = std::max<int64_t>(CeilDiv(minX, kSub), ctx.clip.left);
    int64_t bx1 = std::min<int64_t>(FloorDiv(maxX, kSub), ctx.clip.right - 1);
    for (int64_t py = y0; py <= y1; ++py) {
        int64_t lo = bx0, hi = bx1;
        for (const SEdge& ed : e) {
            // E(px) = A·px + B with A = −dy·256.
            int64_t A = -ed.dy * kSub;
            int64_t B = ed.dx * (py * kSub - ed.yp) + ed.dy * ed.xp + ed.bias;
            if (A > 0) {
                lo = std::max(lo, CeilDiv(-B, A));
            } else if (A < 0) {
                hi = std::min(hi, FloorDiv(B, -A));
            } else if (B < 0) {
                hi = lo - 1;
            }
        }
        if (lo <= hi) {
            ShadeRow(ctx, st, py, lo, hi);
        }
    }
}

bool GfxDrawQuad(const SGfxDrawContext& ctx, const SGfxRasterVertex* const t0[3], const SGfxRasterVertex* const t1[3]) {
    // The vertex of each triangle that the other lacks: the opposite corners.
    auto inOther = [](const SGfxRasterVertex* v, const SGfxRasterVertex* const other[3]) {
        return SameVertex(v, other[0]) || SameVertex(v, other[1]) || SameVertex(v, other[2]);
    };
    const SGfxRasterVertex* p = nullptr;
    const SGfxRasterVertex* q = nullptr;
    const SGfxRasterVertex* shared[2] = {nullptr, nullptr};
    int ns = 0;
    for (int i = 0; i < 3; ++i) {
        if (inOther(t0[i], t1)) {
            if (ns == 2) return false;
            shared[ns++] = t0[i];
        } else {
            if (p) return false;
            p = t0[i];
        }
        if (!inOther(t1[i], t0)) {
            if (q) return false;
            q = t1[i];
        }
    }
    if (!p || !q || ns != 2 || !Finite(*p) || !Finite(*q)) {
        return false;
    }
    if (p->x == q->x || p->y == q->y) {
        return false;
    }
    auto at = [](const SGfxRasterVertex* v, float x, float y) { return v->x == x && v->y == y; };
    if (!((at(shared[0], p->x, q->y) && at(shared[1], q->x, p->y)) || (at(shared[0], q->x, p->y) && at(shared[1], p->x, q->y)))) {
        return false;
    }
    const SGfxRasterVertex* corners[4] = {p, q, shared[0], shared[1]};
    for (int i = 1; i < 4; ++i) {
        if (corners[i]->color != p->color || corners[i]->rhw != p->rhw) {
            return false;
        }
    }
    for (uint32_t k = 0; k < GFX_MAX_STAGES; ++k) {
        if (!ctx.sampler[k].pixels) continue;
        for (int c = 0; c < 2; ++c) {
            if (shared[0]->uv[k][c] + shared[1]->uv[k][c] != p->uv[k][c] + q->uv[k][c]) {
                return false;
            }
        }
    }
    // Both halves wind the same way in a proper split; culling removes both or none.
    auto windSign = [](const SGfxRasterVertex* const t[3]) {
        double a = (static_cast<double>(t[1]->x) - t[0]->x) * (static_cast<double>(t[2]->y) - t[0]->y) -
                   (static_cast<double>(t[1]->y) - t[0]->y) * (static_cast<double>(t[2]->x) - t[0]->x);
        return a > 0 ? 1 : a < 0 ? -1 : 0;
    };
    int w0 = windSign(t0), w1 = windSign(t1);
    if (w0 == 0 || w0 != w1) {
        return false;
    }
    if ((ctx.cull == GFX_CULL_CCW && w0 < 0) || (ctx.cull == GFX_CULL_CW && w0 > 0)) {
        return true;
    }
    int64_t XL = Snap(std::min(p->x, q->x)), XR = Snap(std::max(p->x, q->x));
    int64_t YT = Snap(std::min(p->y, q->y)), YB = Snap(std::max(p->y, q->y));
    int64_t x0 = std::max<int64_t>(CeilDiv(XL, kSub), ctx.clip.left);
    int64_t x1 = std::min<int64_t>(CeilDiv(XR, kSub) - 1, ctx.clip.right - 1);
    int64_t y0 = std::max<int64_t>(CeilDiv(YT, kSub), ctx.clip.top);
    int64_t y1 = std::min<int64_t>(CeilDiv(YB, kSub) - 1, ctx.clip.bottom - 1);
    if (ctx.fastQuads) {
        ++*ctx.fastQuads;
    }
    if (x0 > x1 || y0 > y1) {
        return true;
    }
    // Attributes from the first half's plane: the quad is affine, so it holds for all.
    const SGfxRasterVertex* v[3] = {t0[0], t0[1], t0[2]};
    double x[3], y[3];
    for (int i = 0; i < 3; ++i) {
        x[i] = static_cast<double>(Snap(v[i]->x)) / kSub;
        y[i] = static_cast<double>(Snap(v[i]->y)) / kSub;
    }
    SSetup st;
    if (!Setup(ctx, v, x, y, &st)) {
        return true;
    }
    ForgetRows();
    // The column each half's own setup would anchor at: both reach the left side.
    st.anchorX = std::max<int64_t>(CeilDiv(XL, kSub), ctx.clip.left);
    for (int64_t py = y0; py <= y1; ++py) {
        ShadeRow(ctx, st, py, x0, x1);
    }
    return true;
}
