// The effect library's entry points on the destination surface, with the short forms
// that fill in the whole surface, the whole source and the origin.
#include "engine/soft/SoftSurface.h"
#include "engine/soft/effect/SoftFx3Blitter.h"
#include "engine/soft/effect/SoftFx3Clip.h"
#include "engine/soft/effect/SoftFxBlitter.h"

namespace {

SRect _Whole(const CSoftSurface* s) {
    if (s == nullptr) {
        return SRect{};
    }
    const SSize size = s->GetSize();
    return SRect{0, 0, size.cx, size.cy};
}

}  // namespace

void CSoftSurface::BltClipped(CSoftSurface* source, int x, int y, SRect sourceRect, SRect clip, int opacity) {
    SoftSurfaceBltClipped(this, source, x, y, sourceRect, clip, opacity);
}

void CSoftSurface::DrawEffect3(int mode, CSoftSurface* src1, CSoftSurface* src2, int dstX, int dstY, int src1X,
                               int src1Y, int src2X, int src2Y, int width, int height, SRect clip, int progress) {
    SoftSurfaceDrawEffect3(this, mode, src1, src2, dstX, dstY, src1X, src1Y, src2X, src2Y, width, height, clip,
                           progress);
}
void CSoftSurface::DrawEffect3(int mode, CSoftSurface* src1, CSoftSurface* src2, SRect clip, int progress) {
    SoftSurfaceDrawEffect3(this, mode, src1, src2, clip, progress);
}
void CSoftSurface::DrawEffect3(int mode, CSoftSurface* src1, CSoftSurface* src2, int progress) {
    SoftSurfaceDrawEffect3(this, mode, src1, src2, progress);
}
SRect CSoftSurface::GetEffect3Rect(int mode, CSoftSurface* src1, CSoftSurface* src2, int dstX, int dstY, int src1X,
                                   int src1Y, int src2X, int src2Y, int width, int height, SRect clip,
                                   int progress) {
    return SoftSurfaceGetEffect3Rect(this, mode, src1, src2, dstX, dstY, src1X, src1Y, src2X, src2Y, width, height,
                                     clip, progress);
}
SRect CSoftSurface::GetEffect3Rect(int mode, CSoftSurface* src1, CSoftSurface* src2, SRect clip, int progress) {
    return SoftSurfaceGetEffect3Rect(this, mode, src1, src2, clip, progress);
}
SRect CSoftSurface::GetEffect3Rect(int mode, CSoftSurface* src1, CSoftSurface* src2, int progress) {
    return SoftSurfaceGetEffect3Rect(this, mode, src1, src2, progress);
}

void CSoftSurface::DrawTransition(int mode, CSoftSurface* src1, CSoftSurface* src2, SPoint dst1Pt, SPoint dst2Pt,
                                  SPoint src1Pt, SPoint src2Pt, SSize size1, SSize size2, SRect clip, int progress) {
    SoftSurfaceDrawTransition(this, mode, src1, src2, dst1Pt, dst2Pt, src1Pt, src2Pt, size1, size2, clip, progress);
}
void CSoftSurface::DrawTransition(int mode, CSoftSurface* src1, CSoftSurface* src2, SRect clip, int progress) {
    SoftSurfaceDrawTransition(this, mode, src1, src2, clip, progress);
}
void CSoftSurface::DrawTransition(int mode, CSoftSurface* src1, CSoftSurface* src2, int progress) {
    SoftSurfaceDrawTransition(this, mode, src1, src2, progress);
}
SRect CSoftSurface::GetTransitionRect(int mode, CSoftSurface* src1, CSoftSurface* src2, SPoint dst1Pt,
                                      SPoint dst2Pt, SPoint src1Pt, SPoint src2Pt, SSize size1, SSize size2,
                                      SRect clip, int progress) {
    return SoftSurfaceGetTransitionRect(this, mode, src1, src2, dst1Pt, dst2Pt, src1Pt, src2Pt, size1, size2, clip,
                                        progress);
}
SRect CSoftSurface::GetTransitionRect(int mode, CSoftSurface* src1, CSoftSurface* src2, int progress) {
    return SoftSurfaceGetTransitionRect(this, mode, src1, src2, progress);
}

void CSoftSurface::DrawEffect(int mode, CSoftSurface* source, int x, int y, SRect sourceRect, SRect clip,
                              int opacity, int param) {
    SoftSurfaceDrawEffect(this, mode, source, x, y, sourceRect, clip, opacity, param);
}
void CSoftSurface::DrawEffect(int mode, CSoftSurface* source, int x, int y, SRect sourceRect, int opacity,
                              int param) {
    DrawEffect(mode, source, x, y, sourceRect, _Whole(this), opacity, param);
}
void CSoftSurface::DrawEffect(int mode, CSoftSurface* source, int x, int y, int opacity, int param) {
    DrawEffect(mode, source, x, y, _Whole(source), _Whole(this), opacity, param);
}
SRect CSoftSurface::GetEffectRect(int mode, CSoftSurface* source, int x, int y, SRect sourceRect, SRect clip,
                                  int opacity, int param) {
    return SoftSurfaceGetEffectRect(this, mode, source, x, y, sourceRect, clip, opacity, param);
}
SRect CSoftSurface::GetEffectRect(int mode, CSoftSurface* source, int x, int y, SRect sourceRect, int opacity,
                                  int param) {
    return GetEffectRect(mode, source, x, y, sourceRect, _Whole(this), opacity, param);
}
SRect CSoftSurface::GetEffectRect(int mode, CSoftSurface* source, int x, int y, int opacity, int param) {
    return GetEffectRect(mode, source, x, y, _Whole(source), _Whole(this), opacity, param);
}

void CSoftSurface::DrawEffectStretched(int mode, CSoftSurface* source, SRect destRect, SRect sourceRect, SRect clip,
                                       int opacity, int param) {
    SoftSurfaceDrawEffectStretched(this, mode, source, destRect, sourceRect, clip, opacity, param);
}
void CSoftSurface::DrawEffectStretched(int mode, CSoftSurface* source, SRect destRect, SRect sourceRect,
                                       int opacity, int param) {
    DrawEffectStretched(mode, source, destRect, sourceRect, _Whole(this), opacity, param);
}
void CSoftSurface::DrawEffectStretched(int mode, CSoftSurface* source, SRect destRect, int opacity, int param) {
    DrawEffectStretched(mode, source, destRect, _Whole(source), _Whole(this), opacity, param);
}
SRect CSoftSurface::GetEffectStretchedRect(int mode, CSoftSurface* source, SRect destRect, SRect sourceRect,
                                           SRect clip, int opacity, int param) {
    return SoftSurfaceGetEffectStretchedRect(this, mode, source, destRect, sourceRect, clip, opacity, param);
}
SRect CSoftSurface::GetEffectStretchedRect(int mode, CSoftSurface* source, SRect destRect, SRect sourceRect,
                                           int opacity, int param) {
    return GetEffectStretchedRect(mode, source, destRect, sourceRect, _Whole(this), opacity, param);
}
SRect CSoftSurface::GetEffectStretchedRect(int mode, CSoftSurface* source, SRect destRect, int opacity, int param) {
    return GetEffectStretchedRect(mode, source, destRect, _Whole(source), _Whole(this), opacity, param);
}
