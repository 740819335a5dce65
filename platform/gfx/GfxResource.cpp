#include "platform/gfx/GfxResource.h"

#include <algorithm>
#include <cstring>

uint32_t GfxFormatBytes(EGfxFormat format) {
    switch (format) {
    case GFX_FMT_A8R8G8B8:
    case GFX_FMT_X8R8G8B8:
        return 4;
    case GFX_FMT_R5G6B5:
    case GFX_FMT_X1R5G5B5:
    case GFX_FMT_A1R5G5B5:
    case GFX_FMT_A4R4G4B4:
        return 2;
    case GFX_FMT_A8:
        return 1;
    default:
        return 0;
    }
}

bool GfxFormatHasAlpha(EGfxFormat format) {
    return format == GFX_FMT_A8R8G8B8 || format == GFX_FMT_A1R5G5B5 || format == GFX_FMT_A4R4G4B4 || format == GFX_FMT_A8;
}

namespace {
inline uint32_t Expand5(uint32_t v) { return (v << 3) | (v >> 2); }
inline uint32_t Expand6(uint32_t v) { return (v << 2) | (v >> 4); }
inline uint32_t Load16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8); }
inline void Store16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
}  // namespace

uint32_t GfxPixelToArgb(EGfxFormat format, const uint8_t* src) {
    switch (format) {
    case GFX_FMT_A8R8G8B8: {
        uint32_t v;
        std::memcpy(&v, src, 4);
        return v;
    }
    case GFX_FMT_X8R8G8B8: {
        uint32_t v;
        std::memcpy(&v, src, 4);
        return v | 0xFF000000u;
    }
    case GFX_FMT_R5G6B5: {
        uint32_t p = Load16(src);
        return 0xFF000000u | (Expand5((p >> 11) & 31) << 16) | (Expand6((p >> 5) & 63) << 8) | Expand5(p & 31);
    }
    case GFX_FMT_X1R5G5B5:
    case GFX_FMT_A1R5G5B5: {
        uint32_t p = Load16(src);
        uint32_t a = (format == GFX_FMT_X1R5G5B5 || (p & 0x8000)) ? 0xFF000000u : 0u;
        return a | (Expand5((p >> 10) & 31) << 16) | (Expand5((p >> 5) & 31) << 8) | Expand5(p & 31);
    }
    case GFX_FMT_A4R4G4B4: {
        uint32_t p = Load16(src);
        return (((p >> 12) & 15) * 17u << 24) | (((p >> 8) & 15) * 17u << 16) | (((p >> 4) & 15) * 17u << 8) | ((p & 15) * 17u);
    }
    case GFX_FMT_A8:
        return static_cast<uint32_t>(src[0]) << 24;
    default:
        return 0;
    }
}

void GfxArgbToPixel(EGfxFormat format, uint32_t argb, uint8_t* dest) {
    uint32_t a = argb >> 24, r = (argb >> 16) & 255, g = (argb >> 8) & 255, b = argb & 255;
    switch (format) {
    case GFX_FMT_A8R8G8B8:
    case GFX_FMT_X8R8G8B8:
        std::memcpy(dest, &argb, 4);
        break;
    case GFX_FMT_R5G6B5:
        Store16(dest, ((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
        break;
    case GFX_FMT_X1R5G5B5:
        Store16(dest, ((r & 0xF8) << 7) | ((g & 0xF8) << 2) | (b >> 3));
        break;
    case GFX_FMT_A1R5G5B5:
        Store16(dest, (a >= 128 ? 0x8000u : 0u) | ((r & 0xF8) << 7) | ((g & 0xF8) << 2) | (b >> 3));
        break;
    case GFX_FMT_A4R4G4B4:
        Store16(dest, ((a >> 4) << 12) | ((r >> 4) << 8) | ((g >> 4) << 4) | (b >> 4));
        break;
    case GFX_FMT_A8:
        dest[0] = static_cast<uint8_t>(a);
        break;
    default:
        break;
    }
}

CGfxPixels::CGfxPixels(EGfxFormat format, uint32_t width, uint32_t height, uint32_t usage, uint32_t pool)
    : m_Format(format), m_Width(width), m_Height(height), m_Usage(usage), m_Pool(pool) {
    uint32_t bpp = GfxFormatBytes(format);
    m_Pitch = static_cast<int32_t>((width * bpp + 3u) & ~3u);
    m_Bytes.assign(static_cast<size_t>(m_Pitch) * height, 0);
    if (!IsArgb32()) {
        m_Argb.assign(static_cast<size_t>(width) * height, 0);
        Refresh(SGfxRect{0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height)});
    }
}

const uint32_t* CGfxPixels::ArgbRow(uint32_t y) const {
    if (IsArgb32()) {
        return reinterpret_cast<const uint32_t*>(Row(y));
    }
    return m_Argb.data() + static_cast<size_t>(y) * m_Width;
}

GfxResult CGfxPixels::Lock(SGfxLockedRect* out, const SGfxRect* rect) {
    if (!out || m_Locked) {
        return GFX_E_INVALIDCALL;
    }
    SGfxRect r{0, 0, static_cast<int32_t>(m_Width), static_cast<int32_t>(m_Height)};
    if (rect) {
        if (rect->left < 0 || rect->top < 0 || rect->right > r.right || rect->bottom > r.bottom || rect->left >= rect->right ||
            rect->top >= rect->bottom) {
            return GFX_E_INVALIDCALL;
        }
        r = *rect;
    }
    m_Locked = true;
    m_LockRect = r;
    out->pitch = m_Pitch;
    out->bits = Row(static_cast<uint32_t>(r.top)) + static_cast<size_t>(r.left) * GfxFormatBytes(m_Format);
    return GFX_OK;
}

GfxResult CGfxPixels::Unlock() {
    if (!m_Locked) {
        return GFX_E_INVALIDCALL;
    }
    m_Locked = false;
    Refresh(m_LockRect);
    return GFX_OK;
}

void CGfxPixels::Refresh(const SGfxRect& rect) {
    if (IsArgb32()) {
        return;
    }
    int32_t l = std::max(rect.left, 0), t = std::max(rect.top, 0);
    int32_t r = std::min<int32_t>(rect.right, static_cast<int32_t>(m_Width));
    int32_t b = std::min<int32_t>(rect.bottom, static_cast<int32_t>(m_Height));
    uint32_t bpp = GfxFormatBytes(m_Format);
    for (int32_t y = t; y < b; ++y) {
        const uint8_t* src = Row(static_cast<uint32_t>(y)) + static_cast<size_t>(l) * bpp;
        uint32_t* dst = m_Argb.data() + static_cast<size_t>(y) * m_Width + l;
        for (int32_t x = l; x < r; ++x, src += bpp) {
            *dst++ = GfxPixelToArgb(m_Format, src);
        }
    }
}

GfxResult CGfxSurface::LockRect(SGfxLockedRect* out, const SGfxRect* rect, uint32_t) { return m_Pixels->Lock(out, rect); }
GfxResult CGfxSurface::UnlockRect() { return m_Pixels->Unlock(); }

GfxResult CGfxTexture::GetLevelDesc(uint32_t level, SGfxSurfaceDesc* out) const {
    if (level != 0 || !out) {
        return GFX_E_INVALIDCALL;
    }
    *out = m_Pixels->GetDesc();
    return GFX_OK;
}

GfxResult CGfxTexture::GetSurfaceLevel(uint32_t level, std::shared_ptr<CGfxSurface>* out) {
    if (level != 0 || !out) {
        return GFX_E_INVALIDCALL;
    }
    *out = std::make_shared<CGfxSurface>(m_Pixels);
    return GFX_OK;
}

GfxResult CGfxTexture::LockRect(uint32_t level, SGfxLockedRect* out, const SGfxRect* rect, uint32_t) {
    if (level != 0) {
        return GFX_E_INVALIDCALL;
    }
    return m_Pixels->Lock(out, rect);
}

GfxResult CGfxTexture::UnlockRect(uint32_t level) {
    if (level != 0) {
        return GFX_E_INVALIDCALL;
    }
    return m_Pixels->Unlock();
}

GfxResult CGfxVertexBuffer::Lock(uint32_t offset, uint32_t size, uint8_t** out, uint32_t) {
    if (!out || m_Locked || offset > m_Bytes.size() || (size != 0 && size > m_Bytes.size() - offset)) {
        return GFX_E_INVALIDCALL;
    }
    m_Locked = true;
    *out = m_Bytes.data() + offset;
    return GFX_OK;
}

GfxResult CGfxVertexBuffer::Unlock() {
    if (!m_Locked) {
        return GFX_E_INVALIDCALL;
    }
    m_Locked = false;
    return GFX_OK;
}
