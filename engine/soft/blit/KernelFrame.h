#pragma once
// The frame every blit kernel shares: check the request, lock the destination then the
// source, find the first row of each buffer, walk the rows, unlock in reverse.
// Internal to the blit module.
#include <cstdint>

#include "engine/base/Log.h"
#include "engine/soft/SoftSurface.h"

namespace blit_frame {

// What a kernel reads besides the colour of both surfaces.
enum : unsigned { NEED_SOURCE_ALPHA = 1, NEED_DEST_ALPHA = 2 };

// One row of a kernel: the first destination byte, source byte, source alpha byte and
// destination alpha byte of the row (alpha pointers null when not asked for).
struct SRowPointers {
    uint8_t* dst;
    const uint8_t* src;
    const uint8_t* srcAlpha;
    uint8_t* dstAlpha;
};

// True when {left, top, right, bottom} is a non-empty rectangle inside the destination
// and the source block of the same size at the source point lies inside the source.
inline bool IsRequestInside(const CSoftSurface& dst, const CSoftSurface& src, const SRect& r, const SPoint& p) {
    const SSize ds = dst.GetSize();
    const SSize ss = src.GetSize();
    const int64_t w = int64_t{r.right} - r.left;
    const int64_t h = int64_t{r.bottom} - r.top;
    return w >= 1 && h >= 1 && r.left >= 0 && r.top >= 0 && r.right <= ds.cx && r.bottom <= ds.cy && p.x >= 0 &&
           p.y >= 0 && p.x + w <= ss.cx && p.y + h <= ss.cy;
}

// Checks the request against both surfaces and, when depth is not 0, both surfaces'
// depths.  Logs under `name` and answers false when the blit must not run.
inline bool CheckRequest(const char* name, const CSoftSurface& dst, const CSoftSurface& src, const SRect& r,
                         const SPoint& p, int depth) {
    if (depth != 0 && (dst.GetBitDepth() != depth || src.GetBitDepth() != depth)) {
        DebugPrintf("%s() ビット深度が違う面には転送しない[dst:%d][src:%d][kernel:%d]", name, dst.GetBitDepth(),
                    src.GetBitDepth(), depth);
        return false;
    }
    if (!IsRequestInside(dst, src, r, p)) {
        DebugPrintf("%s() 転送矩形が面の外にはみ出している[%d,%d,%d,%d][src:%d,%d]", name, r.left, r.top, r.right,
                    r.bottom, p.x, p.y);
        return false;
    }
    return true;
}

// Runs rowFn(SRowPointers, width) once per row, top to bottom, with both surfaces
// locked (destination first).  Nothing is drawn when a lock fails, when a buffer is
// missing or when the request does not pass CheckRequest.
template <class RowFn>
void Run(const char* name, CSoftSurface& dst, CSoftSurface& src, const SRect& r, const SPoint& p, int depth,
         int bytesPerPixel, unsigned needs, RowFn&& rowFn) {
    if (!CheckRequest(name, dst, src, r, p, depth)) {
        return;
    }
    CSurfaceLock dstLock(&dst);
    if (!dstLock.locked) {
        return;
    }
    CSurfaceLock srcLock(&src);
    if (!srcLock.locked) {
        return;
    }
    uint8_t* dstBits = dst.GetBits();
    const uint8_t* srcBits = src.GetBits();
    const uint8_t* srcAlpha = (needs & NEED_SOURCE_ALPHA) ? src.GetAlphaBits() : nullptr;
    uint8_t* dstAlpha = (needs & NEED_DEST_ALPHA) ? dst.GetAlphaBits() : nullptr;
    if (dstBits == nullptr || srcBits == nullptr || ((needs & NEED_SOURCE_ALPHA) && srcAlpha == nullptr) ||
        ((needs & NEED_DEST_ALPHA) && dstAlpha == nullptr)) {
        DebugPrintf("%s() 画素またはアルファ面を得られない", name);
        return;
    }
    const intptr_t dstPitch = dst.GetPitch();
    const intptr_t srcPitch = src.GetPitch();
    const intptr_t srcAlphaPitch = srcAlpha ? src.GetAlphaPitch() : 0;
    const intptr_t dstAlphaPitch = dstAlpha ? dst.GetAlphaPitch() : 0;
    SRowPointers row{dstBits + r.top * dstPitch + intptr_t{r.left} * bytesPerPixel,
                     srcBits + p.y * srcPitch + intptr_t{p.x} * bytesPerPixel,
                     srcAlpha ? srcAlpha + p.y * srcAlphaPitch + p.x : nullptr,
                     dstAlpha ? dstAlpha + r.top * dstAlphaPitch + r.left : nullptr};
    const int width = r.right - r.left;
    for (int y = r.top; y < r.bottom; ++y) {
        rowFn(row, width);
        row.dst += dstPitch;
        row.src += srcPitch;
        if (row.srcAlpha) row.srcAlpha += srcAlphaPitch;
        if (row.dstAlpha) row.dstAlpha += dstAlphaPitch;
    }
}

}  // namespace blit_frame
