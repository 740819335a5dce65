#pragma once
// The software surface: a rectangle of pixels the CPU reads and writes directly, at
// 15 (X1R5G5B5), 16 (R5G6B5), 24 (B, G, R bytes) or 32 (B, G, R, X bytes) bits per
// pixel, rows top row first, with an optional colour key and an optional 8-bit alpha
// plane (0 transparent, 255 opaque).  Every blit, stretch and effect kernel sees
// surfaces only through this interface; clients hold a CSoftSurfaceProxy.
//
// Colour value: 0x00RRGGBB (byte 0 blue), the bytes of a 32-bit pixel; SetPixel,
// GetPixel and GetColorKey use it.  Fill and Clear take a COLORREF (0x00BBGGRR, red in
// the low byte).
#include <cstdint>

#include "platform/gdi/Gdi.h"
#include "platform/sys/Geometry.h"

// Source kinds: bits 0-1 of the format flags.  A surface that is not created has the
// flags -1, whose kind reads as SURFACE_KIND_NONE.
enum ESurfaceKind : int {
    SURFACE_KIND_OPAQUE = 0,
    SURFACE_KIND_COLORKEY = 1,
    SURFACE_KIND_ALPHA = 2,
    SURFACE_KIND_NONE = 3,
};

// Further bits of the format flags.
enum : int32_t {
    SURFACE_FLAG_KIND_MASK = 0x03,
    SURFACE_FLAG_DEPTH_MASK = 0x0C,
    SURFACE_FLAG_HAS_DC = 0x10,       // a device context for GDI copies
    SURFACE_FLAG_DIRECTDRAW = 0x20,   // lives in DirectDraw
    SURFACE_FLAGS_NOT_CREATED = -1,
};

// The kind of a format-flags word (3 for -1).
inline int GetSurfaceKind(int32_t formatFlags) { return formatFlags & SURFACE_FLAG_KIND_MASK; }
// Depth index: 0 for 15 bpp, 1 for 16, 2 for 24, 3 for 32; -1 for any other depth.
inline int DepthToIndex(int depth) {
    switch (depth) {
    case 15: return 0;
    case 16: return 1;
    case 24: return 2;
    case 32: return 3;
    default: return -1;
    }
}
// The depth of an index 0..3; 0 for any other index.
inline int IndexToDepth(int index) {
    static const int kDepths[4] = {15, 16, 24, 32};
    return (index >= 0 && index < 4) ? kDepths[index] : 0;
}
// The depth index held in a format-flags word (-1 for -1).
inline int GetSurfaceDepthIndex(int32_t formatFlags) {
    return formatFlags < 0 ? -1 : (formatFlags & SURFACE_FLAG_DEPTH_MASK) >> 2;
}
// Bytes per pixel: 2 for 15 and 16, 3 for 24, 4 for 32, 0 otherwise.
inline int BytesPerPixel(int depth) {
    switch (depth) {
    case 15:
    case 16: return 2;
    case 24: return 3;
    case 32: return 4;
    default: return 0;
    }
}
// Bytes per row of a system-memory surface: rounded up to a multiple of 4.
inline int32_t RoundPitch(int64_t bytes) { return static_cast<int32_t>((bytes + 3) & ~int64_t{3}); }

// 15-bit pixel to colour value: channels shifted to the top of the byte, low bits 0.
inline uint32_t Expand555To888(uint16_t p) {
    return ((p & 0x1Fu) << 3) | (((p >> 2) & 0xF8u) << 8) | (((p >> 7) & 0xF8u) << 16);
}
// 16-bit pixel to colour value.
inline uint32_t Expand565To888(uint16_t p) {
    return ((p & 0x1Fu) << 3) | (((p >> 3) & 0xFCu) << 8) | (((p >> 8) & 0xF8u) << 16);
}
// COLORREF (0x00BBGGRR) to colour value (0x00RRGGBB) and back: red and blue swap.
inline uint32_t ColorRefToColor(uint32_t c) { return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu); }
inline uint32_t ColorToColorRef(uint32_t c) { return ColorRefToColor(c); }

// The window a surface belongs to (the registry's key); null for none.
using SurfaceWindow = void*;

class CSoftSurface {
public:
    CSoftSurface() = default;
    virtual ~CSoftSurface() = default;
    CSoftSurface(const CSoftSurface&) = delete;
    CSoftSurface& operator=(const CSoftSurface&) = delete;

    // --- the virtual operations, in this order ---
    // Releases any previous content and makes an empty surface (depth 0: the
    // desktop's).  On success the key is 0x00FF00 and, when IsAutoRegister, the
    // surface is registered under its window.  dcFlag asks for a GDI device context.
    virtual bool Create(int width, int height, int depth, bool dcFlag) = 0;
    // Loads an image file (with its alpha plane, if any) at that depth (0: desktop's).
    virtual bool LoadFromFile(const char* path, int depth, bool dcFlag) = 0;
    // Writes the surface as an uncompressed 24-bit BMP file.
    virtual bool SaveBitmap(const char* path) = 0;
    // Unregisters and frees pixels and alpha plane; IsCreated is false afterwards.
    virtual void Release() = 0;
    virtual void SetColorKeyEnabled(bool enabled) = 0;
    // True creates an alpha plane first when the surface has none.
    virtual void SetAlphaEnabled(bool enabled) = 0;
    virtual bool IsColorKeyEnabled() const = 0;
    virtual bool IsAlphaEnabled() const = 0;
    // A COLORREF on the DIB surfaces (stored as a colour value).
    virtual void SetColorKey(uint32_t colour) = 0;
    // The stored key as a colour value.
    virtual uint32_t GetColorKey() const = 0;
    virtual bool IsCreated() const = 0;
    virtual bool HasAlphaPlane() const = 0;
    // Kind | depth index << 2 | SURFACE_FLAG_HAS_DC | SURFACE_FLAG_DIRECTDRAW; -1 when
    // not created.
    virtual int32_t GetFormatFlags() const = 0;
    virtual SSize GetSize() const = 0;
    virtual void GetSize(int32_t* width, int32_t* height) const = 0;
    virtual int GetBitDepth() const = 0;
    // The DIB section of a CDIBSectionSurface; null for the others.
    virtual BitmapHandle GetBitmap() const = 0;
    // A device context drawing into the surface, or null; at most one is out.
    virtual DCHandle GetDC() = 0;
    virtual void ReleaseDC() = 0;
    // Makes GetBits/GetPitch valid until Unlock.
    virtual bool Lock() = 0;
    virtual void Unlock() = 0;
    // First byte of row 0, or null.
    virtual uint8_t* GetBits() const = 0;
    virtual int GetPitch() const = 0;
    virtual uint8_t* GetAlphaBits() const = 0;
    virtual int GetAlphaPitch() const = 0;
    // Single pixels in colour-value form; outside the surface nothing happens
    // (reads give 0).
    virtual void SetPixel(int x, int y, uint32_t colour);
    virtual uint32_t GetPixel(int x, int y);
    virtual void SetAlpha(int x, int y, uint8_t alpha);
    virtual uint8_t GetAlpha(int x, int y) const;
    // Fill of a COLORREF over the whole surface / an area (clipped to the surface).
    virtual void Clear(uint32_t colorRef) = 0;
    virtual void Fill(uint32_t colorRef, SRect area) = 0;
    virtual void ClearAlpha(uint8_t alpha) = 0;
    // Creates the alpha plane first when there is none.
    virtual void FillAlpha(uint8_t alpha, SRect area) = 0;
    // Copies alpha values from a source that has an alpha plane.
    virtual void CopyAlpha(CSoftSurface* source, SRect destArea, SRect sourceArea) = 0;
    // Rebuilds the surface after its memory was lost; false when that fails.
    virtual bool Restore() = 0;
    virtual void SetAutoRegister(bool autoRegister) = 0;
    virtual bool IsAutoRegister() const = 0;
    virtual void SetWindow(SurfaceWindow window) = 0;
    virtual SurfaceWindow GetWindow() const = 0;

    // Draw notifications, sent to the destination after a draw.  The last argument is
    // the destination rectangle the draw may have changed (possibly reaching past the
    // surface's edge; receivers clip it).  Empty here.
    virtual void OnStretchBlt(CSoftSurface* source, const SRect* destRect, const SRect* sourceRect, const SRect* clip,
                              int opacity, uint32_t flags, SRect drawn);
    virtual void OnBlt(CSoftSurface* source, const SPoint* destPoint, const SRect* sourceRect, const SRect* clip,
                       int opacity, uint32_t flags, SRect drawn);
    virtual void OnDrawEffect3(CSoftSurface* source1, CSoftSurface* source2, const SPoint* destPoint,
                               const SPoint* source1Point, const SPoint* source2Point, const SSize* size,
                               const SRect* clip, int progress, SRect drawn);
    virtual void OnDrawTransition(CSoftSurface* source1, CSoftSurface* source2, const SPoint* dest1Point,
                                  const SPoint* dest2Point, const SPoint* source1Point, const SPoint* source2Point,
                                  const SSize* size1, const SSize* size2, const SRect* clip, int progress,
                                  SRect drawn);

    // --- blits with this surface as destination (defined with the blit dispatcher) ---
    // SoftBlt, then OnBlt with the rectangle the blit covers (sent even when empty).
    void Blt(CSoftSurface* source, const SPoint* destPoint, const SRect* sourceRect, const SRect* clip, int opacity,
             uint32_t flags);
    // Blt of a source rectangle at (x, y), clipped to this whole surface.
    void BltRect(CSoftSurface* source, int x, int y, SRect sourceRect, int opacity);
    // Blt of the whole source at (x, y), clipped to this whole surface.
    void BltAt(CSoftSurface* source, int x, int y, int opacity);

    // --- stretches with this surface as destination (defined with the stretch dispatcher) ---
    // sourceRect of `source` scaled into destRect, clipped to `clip`.  Nothing happens
    // unless the source exists and every rectangle has right >= 0, bottom >= 0 and a
    // positive width and height.  Equal sizes go to Blt; otherwise the source's `smooth`
    // flag chooses bilinear over nearest-neighbour filtering.
    void StretchBlt(CSoftSurface* source, SRect destRect, SRect sourceRect, SRect clip, int opacity);
    // StretchBlt clipped to this whole surface.
    void StretchDraw(CSoftSurface* source, SRect destRect, SRect sourceRect, int opacity);
    // One filter, then OnStretchBlt with the intersection of destRect and clip (sent even
    // when nothing was drawn).
    void StretchBltNearest(CSoftSurface* source, const SRect* destRect, const SRect* sourceRect, const SRect* clip,
                           int opacity, uint32_t flags);
    void StretchBltBilinear(CSoftSurface* source, const SRect* destRect, const SRect* sourceRect, const SRect* clip,
                            int opacity, uint32_t flags);
    // StretchBlt of the whole source into (left, top, right, bottom), clipped to this
    // whole surface.
    void StretchBlt(CSoftSurface* source, int left, int top, int right, int bottom, int opacity);

    // --- effects with this surface as destination (defined with the effect library) ---
    // Each call builds a blitter for itself; CSurfaceEffectBlitter (SoftFxBlitter.h) and
    // CEffectBlitter (SoftFx3Blitter.h) describe the modes.  Omitted clips are this whole
    // surface, omitted source rectangles the whole source, omitted points (0, 0).
    //
    // Blt with flags 0, but nothing unless source exists and both rectangles have
    // right >= 0, bottom >= 0, right > left and bottom > top.
    void BltClipped(CSoftSurface* source, int x, int y, SRect sourceRect, SRect clip, int opacity);

    // Two-picture effects of a block of width x height at (dstX, dstY), read at (src1X,
    // src1Y) and (src2X, src2Y).  Nothing is drawn without both sources, with a clip that
    // is empty or has a negative right or bottom, or with an empty block.
    void DrawEffect3(int mode, CSoftSurface* src1, CSoftSurface* src2, int dstX, int dstY, int src1X, int src1Y,
                     int src2X, int src2Y, int width, int height, SRect clip, int progress);
    // The block is this whole surface.
    void DrawEffect3(int mode, CSoftSurface* src1, CSoftSurface* src2, SRect clip, int progress);
    void DrawEffect3(int mode, CSoftSurface* src1, CSoftSurface* src2, int progress);
    // What the DrawEffect3 with the same arguments reports; zeros without both sources.
    SRect GetEffect3Rect(int mode, CSoftSurface* src1, CSoftSurface* src2, int dstX, int dstY, int src1X, int src1Y,
                         int src2X, int src2Y, int width, int height, SRect clip, int progress);
    SRect GetEffect3Rect(int mode, CSoftSurface* src1, CSoftSurface* src2, SRect clip, int progress);
    SRect GetEffect3Rect(int mode, CSoftSurface* src1, CSoftSurface* src2, int progress);

    // Two independently placed pictures; either source may be null.  The short forms
    // place both at (0, 0) at their whole sizes.
    void DrawTransition(int mode, CSoftSurface* src1, CSoftSurface* src2, SPoint dst1Pt, SPoint dst2Pt,
                        SPoint src1Pt, SPoint src2Pt, SSize size1, SSize size2, SRect clip, int progress);
    void DrawTransition(int mode, CSoftSurface* src1, CSoftSurface* src2, SRect clip, int progress);
    void DrawTransition(int mode, CSoftSurface* src1, CSoftSurface* src2, int progress);
    SRect GetTransitionRect(int mode, CSoftSurface* src1, CSoftSurface* src2, SPoint dst1Pt, SPoint dst2Pt,
                            SPoint src1Pt, SPoint src2Pt, SSize size1, SSize size2, SRect clip, int progress);
    SRect GetTransitionRect(int mode, CSoftSurface* src1, CSoftSurface* src2, int progress);

    // One picture drawn at (x, y) with a single-surface effect.  Nothing without a
    // source or with a rectangle that is empty or has a negative right or bottom.
    void DrawEffect(int mode, CSoftSurface* source, int x, int y, SRect sourceRect, SRect clip, int opacity,
                    int param);
    void DrawEffect(int mode, CSoftSurface* source, int x, int y, SRect sourceRect, int opacity, int param);
    void DrawEffect(int mode, CSoftSurface* source, int x, int y, int opacity, int param);
    SRect GetEffectRect(int mode, CSoftSurface* source, int x, int y, SRect sourceRect, SRect clip, int opacity,
                        int param);
    SRect GetEffectRect(int mode, CSoftSurface* source, int x, int y, SRect sourceRect, int opacity, int param);
    SRect GetEffectRect(int mode, CSoftSurface* source, int x, int y, int opacity, int param);

    // The effect at destRect's corner when destRect and sourceRect have one size;
    // otherwise a plain stretch whose filter is the mode (0 nearest, 1 bilinear, any
    // other draws nothing).
    void DrawEffectStretched(int mode, CSoftSurface* source, SRect destRect, SRect sourceRect, SRect clip,
                             int opacity, int param);
    void DrawEffectStretched(int mode, CSoftSurface* source, SRect destRect, SRect sourceRect, int opacity,
                             int param);
    void DrawEffectStretched(int mode, CSoftSurface* source, SRect destRect, int opacity, int param);
    SRect GetEffectStretchedRect(int mode, CSoftSurface* source, SRect destRect, SRect sourceRect, SRect clip,
                                 int opacity, int param);
    SRect GetEffectStretchedRect(int mode, CSoftSurface* source, SRect destRect, SRect sourceRect, int opacity,
                                 int param);
    SRect GetEffectStretchedRect(int mode, CSoftSurface* source, SRect destRect, int opacity, int param);

    // Bilinear filtering when this surface is the SOURCE of a stretch.  No operation
    // of the software path sets it.
    bool smooth = false;
};

// Scoped lock of a surface's pixels: Lock in the constructor, Unlock in the
// destructor when the lock was taken.  Callers test `locked` (or GetBits).
class CSurfaceLock {
public:
    explicit CSurfaceLock(CSoftSurface* surface) : surface(surface), locked(surface != nullptr && surface->Lock()) {}
    virtual ~CSurfaceLock() {
        if (locked) surface->Unlock();
    }
    CSurfaceLock(const CSurfaceLock&) = delete;
    CSurfaceLock& operator=(const CSurfaceLock&) = delete;

    CSoftSurface* surface;
    bool locked;
};
