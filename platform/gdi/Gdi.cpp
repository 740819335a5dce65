#include "platform/gdi/Gdi.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

namespace {

// Larger sections are refused rather than attempted: no picture of the game comes
// near this, and a corrupt size must not exhaust memory.
constexpr size_t kMaxSectionBytes = size_t{512} << 20;

std::atomic<int> g_DesktopBitsPerPixel{32};
std::atomic<uint64_t> g_FlushCount{0};

EGdiPixelFormat _FormatOf(const SGdiBitmapInfo& info) {
    const bool bitfields = info.compression == SGdiBitmapInfo::COMPRESSION_BITFIELDS;
    if (!bitfields && info.compression != SGdiBitmapInfo::COMPRESSION_RGB) return EGdiPixelFormat::None;
    switch (info.bitCount) {
    case 16:
        if (!bitfields) return EGdiPixelFormat::X1R5G5B5;
        if (info.redMask == 0x7C00 && info.greenMask == 0x03E0 && info.blueMask == 0x001F) return EGdiPixelFormat::X1R5G5B5;
        if (info.redMask == 0xF800 && info.greenMask == 0x07E0 && info.blueMask == 0x001F) return EGdiPixelFormat::R5G6B5;
        return EGdiPixelFormat::None;
    case 24:
        return bitfields ? EGdiPixelFormat::None : EGdiPixelFormat::B8G8R8;
    case 32:
        if (!bitfields) return EGdiPixelFormat::B8G8R8X8;
        if (info.redMask == 0xFF0000 && info.greenMask == 0x00FF00 && info.blueMask == 0x0000FF) return EGdiPixelFormat::B8G8R8X8;
        return EGdiPixelFormat::None;
    default:
        return EGdiPixelFormat::None;
    }
}

int _BytesPerPixel(EGdiPixelFormat format) { return GdiBitsPerPixel(format) / 8; }

}  // namespace

int GdiBitsPerPixel(EGdiPixelFormat format) {
    switch (format) {
    case EGdiPixelFormat::X1R5G5B5:
    case EGdiPixelFormat::R5G6B5: return 16;
    case EGdiPixelFormat::B8G8R8: return 24;
    case EGdiPixelFormat::B8G8R8X8: return 32;
    default: return 0;
    }
}

int32_t GdiDibPitch(int32_t width, int bitsPerPixel) {
    if (width <= 0 || bitsPerPixel <= 0) return 0;
    const int64_t bytes = ((static_cast<int64_t>(width) * bitsPerPixel + 31) / 32) * 4;
    return bytes > INT32_MAX ? 0 : static_cast<int32_t>(bytes);
}

// ---------------------------------------------------------------------------------

CGdiObject::~CGdiObject() {
    // An object deleted while selected leaves its context without it, never dangling.
    if (m_SelectedInto) m_SelectedInto->SelectNone(m_Kind);
}

std::unique_ptr<CGdiBitmap> CGdiBitmap::CreateDIBSection(const SGdiBitmapInfo& info) {
    const EGdiPixelFormat format = _FormatOf(info);
    if (format == EGdiPixelFormat::None || info.planes != 1) return nullptr;
    if (info.width <= 0 || info.height == 0 || info.height == INT32_MIN) return nullptr;
    const int32_t pitch = GdiDibPitch(info.width, info.bitCount);
    if (pitch <= 0) return nullptr;
    const int64_t rows = info.height < 0 ? -static_cast<int64_t>(info.height) : info.height;
    const uint64_t bytes = static_cast<uint64_t>(pitch) * static_cast<uint64_t>(rows);
    if (bytes > kMaxSectionBytes) return nullptr;

    std::unique_ptr<CGdiBitmap> bitmap(new (std::nothrow) CGdiBitmap());
    if (!bitmap) return nullptr;
    // Zero-filled, so that the same drawing always leaves the same bytes.
    bitmap->m_Memory.reset(new (std::nothrow) uint8_t[bytes]());
    if (!bitmap->m_Memory) return nullptr;
    bitmap->m_ByteSize = static_cast<size_t>(bytes);
    bitmap->m_Width = info.width;
    bitmap->m_Height = static_cast<int32_t>(rows);
    bitmap->m_Pitch = pitch;
    bitmap->m_TopDown = info.height < 0;
    bitmap->m_Format = format;
    return bitmap;
}

CGdiBitmap::~CGdiBitmap() = default;

SGdiPixels CGdiBitmap::GetPixels() const {
    SGdiPixels p;
    if (!m_Memory) return p;
    p.width = m_Width;
    p.height = m_Height;
    p.format = m_Format;
    if (m_TopDown) {
        p.bits = m_Memory.get();
        p.pitch = m_Pitch;
    } else {
        p.bits = m_Memory.get() + static_cast<size_t>(m_Height - 1) * static_cast<size_t>(m_Pitch);
        p.pitch = -m_Pitch;
    }
    return p;
}

// ---------------------------------------------------------------------------------

CGdiDC::~CGdiDC() {
    for (int k = 0; k < CGdiObject::KIND_COUNT; ++k) {
        if (m_Selected[k]) m_Selected[k]->m_SelectedInto = nullptr;
        m_Selected[k] = nullptr;
    }
}

GdiObjectHandle CGdiDC::SelectObject(GdiObjectHandle object) {
    if (!object) return nullptr;
    if (object->m_SelectedInto == this) return object;
    if (object->m_SelectedInto) return nullptr;
    const int k = static_cast<int>(object->GetKind());
    GdiObjectHandle previous = m_Selected[k];
    if (previous) previous->m_SelectedInto = nullptr;
    m_Selected[k] = object;
    object->m_SelectedInto = this;
    return previous;
}

GdiObjectHandle CGdiDC::SelectNone(CGdiObject::EKind kind) {
    const int k = static_cast<int>(kind);
    GdiObjectHandle previous = m_Selected[k];
    if (previous) previous->m_SelectedInto = nullptr;
    m_Selected[k] = nullptr;
    return previous;
}

SGdiPixels CGdiDC::GetPixels() const {
    const auto* bitmap = static_cast<const CGdiBitmap*>(m_Selected[static_cast<int>(CGdiObject::EKind::Bitmap)]);
    return bitmap ? bitmap->GetPixels() : SGdiPixels{};
}

void CGdiDC::OnPixelsChanged(const SRect&) {}

int CGdiDC::GetBitsPerPixel() const {
    const SGdiPixels p = GetPixels();
    return p.IsValid() ? GdiBitsPerPixel(p.format) : GdiGetDesktopBitsPerPixel();
}

std::unique_ptr<CGdiDC> GdiCreateCompatibleDC(DCHandle) { return std::make_unique<CGdiDC>(); }

// ---------------------------------------------------------------------------------

uint32_t GdiReadPixel(const uint8_t* pixel, EGdiPixelFormat format) {
    switch (format) {
    case EGdiPixelFormat::X1R5G5B5: {
        const uint32_t p = static_cast<uint32_t>(pixel[0] | (pixel[1] << 8));
        return ((p & 0x1F) << 3) | (((p >> 2) & 0xF8) << 8) | (((p >> 7) & 0xF8) << 16);
    }
    case EGdiPixelFormat::R5G6B5: {
        const uint32_t p = static_cast<uint32_t>(pixel[0] | (pixel[1] << 8));
        return ((p & 0x1F) << 3) | (((p >> 3) & 0xFC) << 8) | (((p >> 8) & 0xF8) << 16);
    }
    case EGdiPixelFormat::B8G8R8:
    case EGdiPixelFormat::B8G8R8X8:
        return static_cast<uint32_t>(pixel[0] | (pixel[1] << 8) | (pixel[2] << 16));
    default:
        return 0;
    }
}

void GdiWritePixel(uint8_t* pixel, EGdiPixelFormat format, uint32_t rgb) {
    const uint32_t b = rgb & 0xFF, g = (rgb >> 8) & 0xFF, r = (rgb >> 16) & 0xFF;
    switch (format) {
    case EGdiPixelFormat::X1R5G5B5: {
        const uint32_t p = ((r & 0xF8) << 7) | ((g & 0xF8) << 2) | (b >> 3);
        pixel[0] = static_cast<uint8_t>(p);
        pixel[1] = static_cast<uint8_t>(p >> 8);
        break;
    }
    case EGdiPixelFormat::R5G6B5: {
        const uint32_t p = ((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3);
        pixel[0] = static_cast<uint8_t>(p);
        pixel[1] = static_cast<uint8_t>(p >> 8);
        break;
    }
    case EGdiPixelFormat::B8G8R8:
        pixel[0] = static_cast<uint8_t>(b);
        pixel[1] = static_cast<uint8_t>(g);
        pixel[2] = static_cast<uint8_t>(r);
        break;
    case EGdiPixelFormat::B8G8R8X8:
        pixel[0] = static_cast<uint8_t>(b);
        pixel[1] = static_cast<uint8_t>(g);
        pixel[2] = static_cast<uint8_t>(r);
        pixel[3] = 0;
        break;
    default:
        break;
    }
}

bool GdiBitBlt(DCHandle dest, int32_t x, int32_t y, int32_t w, int32_t h, DCHandle source, int32_t sx, int32_t sy,
               EGdiRop rop) {
    if (!dest || !source || rop != EGdiRop::SrcCopy) return false;
    const SGdiPixels d = dest->GetPixels();
    const SGdiPixels s = source->GetPixels();
    if (!d.IsValid() || !s.IsValid()) return false;

    // Clip in 64 bits: the arguments may be anything.
    int64_t dx = x, dy = y, srcX = sx, srcY = sy, cw = w, ch = h;
    if (cw <= 0 || ch <= 0) return true;
    auto clipLow = [&](int64_t& a, int64_t& b, int64_t& extent) {
        // Moves both starts so that neither is below 0.
        const int64_t low = std::min(a, b);
        if (low < 0) {
            a -= low;
            b -= low;
            extent += low;
        }
    };
    clipLow(dx, srcX, cw);
    clipLow(dy, srcY, ch);
    cw = std::min({cw, static_cast<int64_t>(d.width) - dx, static_cast<int64_t>(s.width) - srcX});
    ch = std::min({ch, static_cast<int64_t>(d.height) - dy, static_cast<int64_t>(s.height) - srcY});
    if (cw <= 0 || ch <= 0) return true;

    const int dbpp = _BytesPerPixel(d.format);
    const int sbpp = _BytesPerPixel(s.format);
    const bool sameFormat = d.format == s.format;
    // Copying within one memory downwards must run bottom row first.
    const bool backwards = d.bits == s.bits && dy > srcY;
    for (int64_t i = 0; i < ch; ++i) {
        const int64_t row = backwards ? ch - 1 - i : i;
        uint8_t* drow = d.Row(static_cast<int32_t>(dy + row)) + dx * dbpp;
        const uint8_t* srow = s.Row(static_cast<int32_t>(srcY + row)) + srcX * sbpp;
        if (sameFormat) {
            std::memmove(drow, srow, static_cast<size_t>(cw * dbpp));
        } else {
            for (int64_t c = 0; c < cw; ++c) GdiWritePixel(drow + c * dbpp, d.format, GdiReadPixel(srow + c * sbpp, s.format));
        }
    }
    dest->OnPixelsChanged(SRect{static_cast<int32_t>(dx), static_cast<int32_t>(dy), static_cast<int32_t>(dx + cw),
                                static_cast<int32_t>(dy + ch)});
    return true;
}

void GdiFlush() { g_FlushCount.fetch_add(1, std::memory_order_relaxed); }

uint64_t GdiGetFlushCount() { return g_FlushCount.load(std::memory_order_relaxed); }

int GdiGetDesktopBitsPerPixel() { return g_DesktopBitsPerPixel.load(); }

bool GdiSetDesktopBitsPerPixel(int bitsPerPixel) {
    if (bitsPerPixel != 15 && bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32) return false;
    g_DesktopBitsPerPixel.store(bitsPerPixel);
    return true;
}
