#include "engine/soft/effect/SoftFxMaskBlend.h"

#include <cstring>

#include "engine/base/Log.h"
#include "engine/image/MaskImage.h"
#include "engine/soft/SoftSurface.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/effect/SoftFx3Lerp.h"

namespace {

struct SMaskBlendArgs {
    uint8_t* dst;
    const uint8_t* a;
    const uint8_t* b;
    int dstPitch, aPitch, bPitch;
    const SPoint* dstPt;
    const SPoint* aPt;
    const SPoint* bPt;
    const SPoint* ruleOrigin;
    const SSize* size;
    int progress;
};

template <int kDepth>
inline void _MixPixel(uint8_t* out, const uint8_t* a, const uint8_t* b, uint8_t t) {
    if constexpr (kDepth == 15 || kDepth == 16) {
        uint16_t pa, pb, mixed;
        std::memcpy(&pa, a, 2);
        std::memcpy(&pb, b, 2);
        if constexpr (kDepth == 15) {
            LerpPixel15(&mixed, &pa, &pb, t);
        } else {
            LerpPixel16(&mixed, &pa, &pb, t);
        }
        std::memcpy(out, &mixed, 2);
    } else if constexpr (kDepth == 24) {
        LerpPixel24(out, a, b, t);
    } else {
        LerpPixel32(out, a, b, t);
    }
}

template <int kDepth>
void _Kernel(const CMaskImage* rule, const SMaskBlendArgs& m) {
    if (rule == nullptr || rule->GetBits() == nullptr || m.dst == nullptr || m.a == nullptr || m.b == nullptr ||
        m.dstPt == nullptr || m.aPt == nullptr || m.bPt == nullptr || m.ruleOrigin == nullptr || m.size == nullptr) {
        return;
    }
    const int w = m.size->cx;
    const int h = m.size->cy;
    if (w < 1 || h < 1) {
        return;
    }
    uint8_t weights[256];
    SoftFxBuildRuleWeights(weights, rule->GetThreshold(), 255, m.progress);
    constexpr intptr_t kBpp = kDepth == 32 ? 4 : kDepth == 24 ? 3 : 2;
    uint8_t* dRow = m.dst + intptr_t{m.dstPt->y} * m.dstPitch + m.dstPt->x * kBpp;
    const uint8_t* aRow = m.a + intptr_t{m.aPt->y} * m.aPitch + m.aPt->x * kBpp;
    const uint8_t* bRow = m.b + intptr_t{m.bPt->y} * m.bPitch + m.bPt->x * kBpp;
    const intptr_t rulePitch = rule->GetPitch();
    const uint8_t* mRow = rule->GetBits() + intptr_t{m.dstPt->y - m.ruleOrigin->y} * rulePitch +
                          (m.dstPt->x - m.ruleOrigin->x);
    const int runs = w & ~7;
    for (int y = 0; y < h; ++y) {
        int i = 0;
        // Runs of 8, then the rest: the same pixels, fewer loop tests.
        for (; i < runs; i += 8) {
            for (int k = i; k < i + 8; ++k) {
                _MixPixel<kDepth>(dRow + k * kBpp, aRow + k * kBpp, bRow + k * kBpp, weights[mRow[k]]);
            }
        }
        for (; i < w; ++i) {
            _MixPixel<kDepth>(dRow + i * kBpp, aRow + i * kBpp, bRow + i * kBpp, weights[mRow[i]]);
        }
        dRow += m.dstPitch;
        aRow += m.aPitch;
        bRow += m.bPitch;
        mRow += rulePitch;
    }
}

bool _Inside(const SPoint& p, const SSize& s, int32_t width, int32_t height) {
    return p.x >= 0 && p.y >= 0 && int64_t{p.x} + s.cx <= width && int64_t{p.y} + s.cy <= height;
}

}  // namespace

#define PG_MASKBLEND_ARGS                                                                                        \
    uint8_t *dstBits, const uint8_t *aBits, const uint8_t *bBits, int dstPitch, int aPitch, int bPitch,          \
        const SPoint *dstPoint, const SPoint *aPoint, const SPoint *bPoint, const SPoint *ruleOrigin,          \
        const SSize *size, int progress
#define PG_MASKBLEND_PASS                                                                                         \
    SMaskBlendArgs {                                                                                              \
        dstBits, aBits, bBits, dstPitch, aPitch, bPitch, dstPoint, aPoint, bPoint, ruleOrigin, size, progress   \
    }
void SoftFxRuleRef::SoftFxMaskBlend15(PG_MASKBLEND_ARGS) const { _Kernel<15>(rule, PG_MASKBLEND_PASS); }
void SoftFxRuleRef::SoftFxMaskBlend16(PG_MASKBLEND_ARGS) const { _Kernel<16>(rule, PG_MASKBLEND_PASS); }
void SoftFxRuleRef::SoftFxMaskBlend24(PG_MASKBLEND_ARGS) const { _Kernel<24>(rule, PG_MASKBLEND_PASS); }
void SoftFxRuleRef::SoftFxMaskBlend32(PG_MASKBLEND_ARGS) const { _Kernel<32>(rule, PG_MASKBLEND_PASS); }
#undef PG_MASKBLEND_ARGS
#undef PG_MASKBLEND_PASS

void SoftFxRuleRef::SoftFxMaskBlend(CSoftSurface* dst, CSoftSurface* a, CSoftSurface* b, const SPoint* dstPoint,
                                    const SPoint* aPoint, const SPoint* bPoint, const SPoint* ruleOrigin,
                                    const SSize* size, int progress) const {
    if (dst == nullptr || a == nullptr || b == nullptr || dstPoint == nullptr || aPoint == nullptr ||
        bPoint == nullptr || ruleOrigin == nullptr || size == nullptr) {
        return;
    }
    if (rule == nullptr || rule->GetBits() == nullptr) {
        DebugPrintf("SoftFxRuleRef::SoftFxMaskBlend() 規則画像がない");
        return;
    }
    const int depth = a->GetBitDepth();
    if (dst->GetBitDepth() != depth || b->GetBitDepth() != depth) {
        DebugPrintf("SoftFxRuleRef::SoftFxMaskBlend() ビット深度が違う面は混ぜない[dst:%d][a:%d][b:%d]",
                    dst->GetBitDepth(), depth, b->GetBitDepth());
        return;
    }
    if (size->cx >= 1 && size->cy >= 1) {
        int32_t ruleW = 0, ruleH = 0;
        rule->GetSize(&ruleW, &ruleH);
        const SPoint inRule{static_cast<int32_t>(int64_t{dstPoint->x} - ruleOrigin->x),
                            static_cast<int32_t>(int64_t{dstPoint->y} - ruleOrigin->y)};
        const bool originFits = int64_t{dstPoint->x} - ruleOrigin->x == inRule.x &&
                                int64_t{dstPoint->y} - ruleOrigin->y == inRule.y;
        const SSize ds = dst->GetSize();
        const SSize as = a->GetSize();
        const SSize bs = b->GetSize();
        if (!originFits || !_Inside(*dstPoint, *size, ds.cx, ds.cy) || !_Inside(*aPoint, *size, as.cx, as.cy) ||
            !_Inside(*bPoint, *size, bs.cx, bs.cy) || !_Inside(inRule, *size, ruleW, ruleH)) {
            DebugPrintf("SoftFxRuleRef::SoftFxMaskBlend() 矩形が面か規則画像の外にはみ出している[%d,%d %dx%d]",
                        dstPoint->x, dstPoint->y, size->cx, size->cy);
            return;
        }
    }
    CSurfaceLock dstLock(dst);
    if (!dstLock.locked) {
        return;
    }
    CSurfaceLock lockA(a);
    if (!lockA.locked) {
        return;
    }
    CSurfaceLock lockB(b);
    if (!lockB.locked) {
        return;
    }
    uint8_t* dBits = dst->GetBits();
    const uint8_t* aBits = a->GetBits();
    const uint8_t* bBits = b->GetBits();
    if (dBits == nullptr || aBits == nullptr || bBits == nullptr) {
        return;
    }
    BuildBlendTables();
    const int p = progress < 0 ? 0 : progress > 1024 ? 1024 : progress;
    const int dp = dst->GetPitch(), ap = a->GetPitch(), bp = b->GetPitch();
    switch (depth) {
    case 15: SoftFxMaskBlend15(dBits, aBits, bBits, dp, ap, bp, dstPoint, aPoint, bPoint, ruleOrigin, size, p); break;
    case 16: SoftFxMaskBlend16(dBits, aBits, bBits, dp, ap, bp, dstPoint, aPoint, bPoint, ruleOrigin, size, p); break;
    case 24: SoftFxMaskBlend24(dBits, aBits, bBits, dp, ap, bp, dstPoint, aPoint, bPoint, ruleOrigin, size, p); break;
    case 32: SoftFxMaskBlend32(dBits, aBits, bBits, dp, ap, bp, dstPoint, aPoint, bPoint, ruleOrigin, size, p); break;
    default: break;
    }
}
