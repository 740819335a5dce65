// Three-surface dissolves (modes 15, 16, 17): every destination pixel is copied from
// one of the two sources, chosen by a fixed 4 x 4 threshold pattern or by a random
// number per 2 x 2 block.
#include <cstring>

#include "engine/base/Log.h"
#include "engine/base/Random.h"
#include "engine/soft/SoftSurface.h"
#include "engine/soft/effect/SoftFx3Clip.h"
#include "engine/soft/effect/SoftFx3Kernels.h"
#include "engine/soft/effect/SoftFx3Lock.h"

namespace {

// Cells 1 to 15 of each pattern, before the pattern's offset is taken off; cell 0 has a
// fixed threshold.
constexpr int kOrderedCells[15] = {640, 128, 768, 896, 512, 1024, 384, 128, 768, 256, 640, 1024, 384, 896, 512};
constexpr int kSpiralCells[15] = {128, 192, 256, 768, 832, 896, 320, 704, 1024, 960, 384, 640, 576, 512, 448};

struct SPatternData {
    const int* cells;
    int offset;
    int cell0;
};
constexpr SPatternData kOrdered{kOrderedCells, 64, 192};
constexpr SPatternData kSpiral{kSpiralCells, 32, 32};

int _Threshold(const SPatternData& pattern, int cell) {
    return cell == 0 ? pattern.cell0 : pattern.cells[cell - 1] - pattern.offset;
}

// Bit 2c + 1 (and 2c) set: cell c still shows the first source.
uint32_t _PatternMask(const SPatternData& pattern, int progress) {
    uint32_t mask = 0;
    for (int c = 0; c < 16; ++c) {
        if (progress < _Threshold(pattern, c)) {
            mask |= 3u << (2 * c);
        }
    }
    return mask;
}

using softfx3::SLockedThree;

template <int kBpp>
inline void _CopyPixel(uint8_t* d, const uint8_t* s) {
    std::memcpy(d, s, kBpp);
}

template <int kBpp>
void _PatternKernel(const SLockedThree& m, const SPoint& x0, const SPoint& d, const SPoint& a, const SPoint& b,
                    const SSize& s, uint32_t mask) {
    uint8_t* dRow = m.dst + intptr_t{d.y} * m.dstPitch + intptr_t{d.x} * kBpp;
    const uint8_t* aRow = m.a + intptr_t{a.y} * m.aPitch + intptr_t{a.x} * kBpp;
    const uint8_t* bRow = m.b + intptr_t{b.y} * m.bPitch + intptr_t{b.x} * kBpp;
    const int column0 = (d.x - x0.x) & 3;
    int row = (d.y - x0.y) & 3;
    for (int y = 0; y < s.cy; ++y) {
        int column = column0;
        for (int i = 0; i < s.cx; ++i) {
            const int cell = column + 4 * row;
            const uint8_t* from = (mask >> (2 * cell + 1)) & 1u ? aRow : bRow;
            _CopyPixel<kBpp>(dRow + intptr_t{i} * kBpp, from + intptr_t{i} * kBpp);
            column = (column + 1) & 3;
        }
        row = (row + 1) & 3;
        dRow += m.dstPitch;
        aRow += m.aPitch;
        bRow += m.bPitch;
    }
}

// Depth checks shared by the three dispatchers; the depth of the surfaces, or 0.
int _CommonDepth(const char* name, CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2) {
    if (dst == nullptr || src1 == nullptr || src2 == nullptr) {
        return 0;
    }
    const int depth = dst->GetBitDepth();
    if (depth != src1->GetBitDepth() || depth != src2->GetBitDepth()) {
        DebugPrintf("%s() ビット深度が違う面には描かない[dst:%d][src1:%d][src2:%d]", name, depth,
                    src1->GetBitDepth(), src2->GetBitDepth());
        return 0;
    }
    return depth;
}

void _PatternDissolve(const char* name, const SPatternData& pattern, CSoftSurface* dst, CSoftSurface* src1,
                      CSoftSurface* src2, const SPoint* dstPt, const SPoint* src1Pt, const SPoint* src2Pt,
                      const SSize* size, const SRect* clip, int progress) {
    if (dstPt == nullptr || src1Pt == nullptr || src2Pt == nullptr || size == nullptr || clip == nullptr ||
        _CommonDepth(name, dst, src1, src2) == 0) {
        return;
    }
    softfx3::WithLocked(dst, src1, src2, [&](const SLockedThree& m, int bpp) {
        const uint32_t mask = _PatternMask(pattern, SoftFx3ClampProgress(progress));
        SPoint d = *dstPt, a = *src1Pt, b = *src2Pt;
        SSize s = *size;
        if (!SoftFx3ClipBlock(dst, src1, src2, &d, &a, &b, &s, clip)) {
            return;
        }
        switch (bpp) {
        case 2: _PatternKernel<2>(m, *dstPt, d, a, b, s, mask); break;
        case 3: _PatternKernel<3>(m, *dstPt, d, a, b, s, mask); break;
        default: _PatternKernel<4>(m, *dstPt, d, a, b, s, mask); break;
        }
    });
}

// Copies a w x h block of pixels from `from` (the first or second source's memory) at
// column i, row j of the clipped block.
template <int kBpp>
struct SBlockCopier {
    const SLockedThree& m;
    SPoint d, a, b;

    void operator()(bool second, int i, int j, int w, int h) const {
        const uint8_t* base = second ? m.b : m.a;
        const int pitch = second ? m.bPitch : m.aPitch;
        const SPoint& p = second ? b : a;
        for (int y = j; y < j + h; ++y) {
            uint8_t* out = m.dst + intptr_t{d.y + y} * m.dstPitch + intptr_t{d.x + i} * kBpp;
            const uint8_t* in = base + intptr_t{p.y + y} * pitch + intptr_t{p.x + i} * kBpp;
            std::memcpy(out, in, static_cast<size_t>(w) * kBpp);
        }
    }
};

// One draw per block, row pair by row pair, left to right; an odd last column makes
// 1 x 2 blocks, an odd last row 2 x 1 blocks and a last single pixel.  A block shows
// the second source when its number is below the progress: none at 0, all at 1024.
template <int kBpp>
void _RandomKernel(const SLockedThree& m, const SPoint& d, const SPoint& a, const SPoint& b, const SSize& s,
                   int progress) {
    CRandom random;
    const uint32_t p = static_cast<uint32_t>(SoftFx3ClampProgress(progress));
    const SBlockCopier<kBpp> copy{m, d, a, b};
    const int evenW = s.cx & ~1;
    const int evenH = s.cy & ~1;
    for (int j = 0; j < evenH; j += 2) {
        for (int i = 0; i < evenW; i += 2) {
            copy(random.Random(1024) < p, i, j, 2, 2);
        }
        if (s.cx & 1) {
            copy(random.Random(1024) < p, evenW, j, 1, 2);
        }
    }
    if (s.cy & 1) {
        for (int i = 0; i < evenW; i += 2) {
            copy(random.Random(1024) < p, i, evenH, 2, 1);
        }
        if (s.cx & 1) {
            copy(random.Random(1024) < p, evenW, evenH, 1, 1);
        }
    }
}

}  // namespace

int SoftFx3DissolveThreshold(int mode, int cell) {
    if (cell < 0 || cell > 15 || (mode != 15 && mode != 16)) {
        return 0;
    }
    return _Threshold(mode == 15 ? kOrdered : kSpiral, cell);
}

void SoftFx3DissolvePattern4x4(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                               const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip,
                               int progress) {
    _PatternDissolve("SoftFx3DissolvePattern4x4", kOrdered, dst, src1, src2, dstPt, src1Pt, src2Pt, size, clip,
                     progress);
}

void SoftFx3DissolvePattern16(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                              const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip,
                              int progress) {
    _PatternDissolve("SoftFx3DissolvePattern16", kSpiral, dst, src1, src2, dstPt, src1Pt, src2Pt, size, clip,
                     progress);
}

void SoftFx3DissolveRandom(CSoftSurface* dst, CSoftSurface* src1, CSoftSurface* src2, const SPoint* dstPt,
                           const SPoint* src1Pt, const SPoint* src2Pt, const SSize* size, const SRect* clip,
                           int progress) {
    if (dstPt == nullptr || src1Pt == nullptr || src2Pt == nullptr || size == nullptr || clip == nullptr ||
        _CommonDepth("SoftFx3DissolveRandom", dst, src1, src2) == 0) {
        return;
    }
    SPoint d = *dstPt, a = *src1Pt, b = *src2Pt;
    SSize s = *size;
    if (!SoftFx3ClipBlock(dst, src1, src2, &d, &a, &b, &s, clip)) {
        return;
    }
    softfx3::WithLocked(dst, src1, src2, [&](const SLockedThree& m, int bpp) {
        switch (bpp) {
        case 2: _RandomKernel<2>(m, d, a, b, s, progress); break;
        case 3: _RandomKernel<3>(m, d, a, b, s, progress); break;
        default: _RandomKernel<4>(m, d, a, b, s, progress); break;
        }
    });
}
