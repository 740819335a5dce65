#include "engine/d3d/D3DSurface.h"

#include <cstring>

#include "engine/base/Log.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/file/DataFile.h"

namespace {
void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
}  // namespace

bool CD3DSurface::CreateImageSurface(CD3DDevice* device, uint32_t width, uint32_t height, EGfxFormat format) {
    m_Surface.reset();
    if (!device) {
        DebugPrintf("CD3DSurface::CreateImageSurface() デバイスがありません");
        return false;
    }
    return device->CreateImageSurface(width, height, format, &m_Surface);
}

SGfxSurfaceDesc CD3DSurface::GetDesc() const { return m_Surface ? m_Surface->GetDesc() : SGfxSurfaceDesc{}; }

bool CD3DSurface::Lock(SGfxLockedRect* out, const SGfxRect* rect) {
    if (!m_Surface) {
        return false;
    }
    GfxResult r = m_Surface->LockRect(out, rect);
    if (GfxFailed(r)) {
        DebugPrintf("CD3DSurface::Lock() LockRect()に失敗[APIReturnValue:%s]", GfxResultName(r));
        return false;
    }
    return true;
}

bool CD3DSurface::Unlock() {
    if (!m_Surface) {
        return false;
    }
    GfxResult r = m_Surface->UnlockRect();
    if (GfxFailed(r)) {
        DebugPrintf("CD3DSurface::Unlock() UnlockRect()に失敗[APIReturnValue:%s]", GfxResultName(r));
        return false;
    }
    return true;
}

bool CD3DSurface::EncodeBitmap(std::vector<uint8_t>* out) const {
    if (!m_Surface || !out) {
        return false;
    }
    const CGfxPixels& p = m_Surface->Pixels();
    uint32_t w = p.GetWidth(), h = p.GetHeight();
    EGfxFormat fmt = p.GetFormat();
    uint32_t bpp = GfxFormatBytes(fmt);
    if (w == 0 || h == 0 || bpp == 0) {
        return false;
    }
    size_t rowSize = (static_cast<size_t>(w) * 3 + 3) & ~static_cast<size_t>(3);
    size_t imageSize = rowSize * h;
    std::vector<uint8_t>& b = *out;
    b.assign(54 + imageSize, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(54 + imageSize));
    Put32(b, 10, 54);
    Put32(b, 14, 40);
    Put32(b, 18, w);
    Put32(b, 22, h);
    Put16(b, 26, 1);
    Put16(b, 28, 24);
    Put32(b, 34, static_cast<uint32_t>(imageSize));
    for (uint32_t y = 0; y < h; ++y) {
        const uint8_t* src = p.Row(h - 1 - y);
        uint8_t* dst = b.data() + 54 + rowSize * y;
        for (uint32_t x = 0; x < w; ++x, src += bpp, dst += 3) {
            uint32_t r = 0, g = 0, bl = 0;
            uint32_t v = bpp == 2 ? (static_cast<uint32_t>(src[0]) | (static_cast<uint32_t>(src[1]) << 8)) : 0;
            switch (fmt) {
            case GFX_FMT_A8R8G8B8:
            case GFX_FMT_X8R8G8B8:
                bl = src[0];
                g = src[1];
                r = src[2];
                break;
            case GFX_FMT_R5G6B5:
                r = ((v >> 11) & 31) << 3;
                g = ((v >> 5) & 63) << 2;
                bl = (v & 31) << 3;
                break;
            case GFX_FMT_X1R5G5B5:
            case GFX_FMT_A1R5G5B5:
                r = ((v >> 10) & 31) << 3;
                g = ((v >> 5) & 31) << 3;
                bl = (v & 31) << 3;
                break;
            case GFX_FMT_A4R4G4B4:
                r = ((v >> 8) & 15) << 4;
                g = ((v >> 4) & 15) << 4;
                bl = (v & 15) << 4;
                break;
            default:  // A8 holds no colour
                break;
            }
            dst[0] = static_cast<uint8_t>(bl);
            dst[1] = static_cast<uint8_t>(g);
            dst[2] = static_cast<uint8_t>(r);
        }
    }
    return true;
}

bool CD3DSurface::SaveBitmap(const std::string& path) const {
    std::vector<uint8_t> bytes;
    if (!EncodeBitmap(&bytes)) {
        DebugPrintf("CD3DSurface::SaveBitmap() サーフェスがありません[%s]", path.c_str());
        return false;
    }
    // A slot's thumbnail is written over the old one: a kill part-way must leave the
    // old picture or the new one, never a torn file.
    if (!WriteFileAtomic(path, bytes)) {
        DebugPrintf("CD3DSurface::SaveBitmap() 書き込みに失敗[%s]", path.c_str());
        return false;
    }
    return true;
}
