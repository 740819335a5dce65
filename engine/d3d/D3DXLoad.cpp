#include "engine/d3d/D3DXLoad.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/base/Log.h"
#include "engine/d3d/D3DSurface.h"
#include "engine/image/ImageFile.h"
#include "platform/gfx/GfxResource.h"

namespace {

uint32_t Expand5(uint32_t v) { return (v << 3) | (v >> 2); }
uint32_t Expand6(uint32_t v) { return (v << 2) | (v >> 4); }

// One picture row as A8R8G8B8, with the depth chosen once a row rather than per pixel.
template <int Bits>
void RowToArgb(const uint8_t* row, const uint8_t* alpha, uint32_t* out, int32_t w) {
    for (int32_t x = 0; x < w; ++x) {
        uint32_t r, g, b;
        if constexpr (Bits == 15 || Bits == 16) {
            const uint32_t p = row[x * 2] | (row[x * 2 + 1] << 8);
            r = Bits == 15 ? Expand5((p >> 10) & 31) : Expand5((p >> 11) & 31);
            g = Bits == 15 ? Expand5((p >> 5) & 31) : Expand6((p >> 5) & 63);
            b = Expand5(p & 31);
        } else {
            constexpr int kBytes = Bits / 8;
            b = row[x * kBytes];
            g = row[x * kBytes + 1];
            r = row[x * kBytes + 2];
        }
        const uint32_t a = alpha ? alpha[x] : 255u;
        out[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
}

// Tent weights of the source pixels that make destination pixel `d`.
struct STap {
    int32_t first = 0;
    std::vector<float> weights;
};

std::vector<STap> MakeTaps(uint32_t srcSize, uint32_t dstSize, uint32_t filter) {
    std::vector<STap> taps(dstSize);
    double scale = static_cast<double>(srcSize) / dstSize;
    for (uint32_t d = 0; d < dstSize; ++d) {
        STap& tap = taps[d];
        double centre = (d + 0.5) * scale - 0.5;
        if (filter == D3DX_FILTER_POINT) {
            int32_t i = static_cast<int32_t>(std::floor((d + 0.5) * scale));
            tap.first = std::clamp<int32_t>(i, 0, static_cast<int32_t>(srcSize) - 1);
            tap.weights.assign(1, 1.0f);
            continue;
        }
        double radius = filter == D3DX_FILTER_LINEAR ? 1.0 : std::max(1.0, scale);
        int32_t lo = static_cast<int32_t>(std::floor(centre - radius)) + 1;
        int32_t hi = static_cast<int32_t>(std::ceil(centre + radius)) - 1;
        std::vector<double> w;
        double sum = 0;
        for (int32_t i = lo; i <= hi; ++i) {
            double wi = 1.0 - std::fabs(i - centre) / radius;
            if (wi < 0) wi = 0;
            w.push_back(wi);
            sum += wi;
        }
        // Weights past the edges fold onto the edge pixel.
        int32_t first = std::max<int32_t>(lo, 0), last = std::min<int32_t>(hi, static_cast<int32_t>(srcSize) - 1);
        if (first > last) {
            first = last = std::clamp<int32_t>(static_cast<int32_t>(std::lround(centre)), 0, static_cast<int32_t>(srcSize) - 1);
        }
        std::vector<double> acc(static_cast<size_t>(last - first + 1), 0.0);
        for (int32_t i = lo; i <= hi; ++i) {
            int32_t c = std::clamp(i, first, last);
            acc[static_cast<size_t>(c - first)] += w[static_cast<size_t>(i - lo)];
        }
        tap.first = first;
        tap.weights.resize(acc.size());
        for (size_t k = 0; k < acc.size(); ++k) {
            tap.weights[k] = static_cast<float>(sum > 0 ? acc[k] / sum : (k == 0 ? 1.0 : 0.0));
        }
    }
    return taps;
}

}  // namespace

void D3DXResampleArgb(const uint32_t* src, uint32_t sw, uint32_t sh, uint32_t srcPitch, uint32_t* dst, uint32_t dw,
                      uint32_t dh, uint32_t filter) {
    if (sw == 0 || sh == 0 || dw == 0 || dh == 0) {
        return;
    }
    filter = filter == D3DX_DEFAULT ? D3DX_FILTER_TRIANGLE : (filter & D3DX_FILTER_MASK);
    if (filter == D3DX_FILTER_NONE || (sw == dw && sh == dh)) {
        // The same size copies; NONE copies what fits and leaves the rest.
        uint32_t w = std::min(sw, dw), h = std::min(sh, dh);
        for (uint32_t y = 0; y < h; ++y) {
            std::memcpy(dst + static_cast<size_t>(y) * dw, src + static_cast<size_t>(y) * srcPitch, w * 4u);
        }
        return;
    }
    if (filter != D3DX_FILTER_POINT && filter != D3DX_FILTER_LINEAR) {
        filter = D3DX_FILTER_TRIANGLE;
    }
    std::vector<STap> tx = MakeTaps(sw, dw, filter), ty = MakeTaps(sh, dh, filter);
    // Horizontal pass into floats (4 channels), then vertical.
    std::vector<float> mid(static_cast<size_t>(dw) * sh * 4);
    for (uint32_t y = 0; y < sh; ++y) {
        const uint32_t* row = src + static_cast<size_t>(y) * srcPitch;
        float* out = mid.data() + static_cast<size_t>(y) * dw * 4;
        for (uint32_t x = 0; x < dw; ++x) {
            const STap& t = tx[x];
            float c[4] = {0, 0, 0, 0};
            for (size_t k = 0; k < t.weights.size(); ++k) {
                uint32_t p = row[t.first + static_cast<int32_t>(k)];
                float w = t.weights[k];
                c[0] += w * static_cast<float>(p & 255);
                c[1] += w * static_cast<float>((p >> 8) & 255);
                c[2] += w * static_cast<float>((p >> 16) & 255);
                c[3] += w * static_cast<float>(p >> 24);
            }
            std::memcpy(out + x * 4, c, sizeof(c));
        }
    }
    for (uint32_t y = 0; y < dh; ++y) {
        const STap& t = ty[y];
        uint32_t* out = dst + static_cast<size_t>(y) * dw;
        for (uint32_t x = 0; x < dw; ++x) {
            float c[4] = {0, 0, 0, 0};
            for (size_t k = 0; k < t.weights.size(); ++k) {
                const float* m = mid.data() + (static_cast<size_t>(t.first + static_cast<int32_t>(k)) * dw + x) * 4;
                for (int ch = 0; ch < 4; ++ch) c[ch] += t.weights[k] * m[ch];
            }
            uint32_t p = 0;
            for (int ch = 0; ch < 4; ++ch) {
                long v = std::lround(c[ch]);
                p |= static_cast<uint32_t>(std::clamp<long>(v, 0, 255)) << (ch * 8);
            }
            out[x] = p;
        }
    }
}

bool D3DXDecodeImage(const void* data, size_t size, std::vector<uint32_t>* argb, SD3DXImageInfo* info) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (!data || !argb || size < 8) {
        DebugPrintf("D3DXDecodeImage() 画像ではありません[size:%zu]", size);
        return false;
    }
    SD3DXImageInfo local;
    const char* name = nullptr;
    if (bytes[0] == 'B' && bytes[1] == 'M') {
        name = "image.bmp";
        local.imageFileFormat = D3DXIFF_BMP;
    } else if (bytes[0] == 0x89 && bytes[1] == 'P' && bytes[2] == 'N' && bytes[3] == 'G') {
        name = "image.png";
        local.imageFileFormat = D3DXIFF_PNG;
    } else {
        DebugPrintf("D3DXDecodeImage() 対応していない画像形式です");
        return false;
    }
    CImageFile image;
    if (!image.OpenMemory(bytes, size, name)) {
        DebugPrintf("D3DXDecodeImage() 画像の読み込みに失敗[%s]", name);
        return false;
    }
    int32_t w = 0, h = 0;
    image.GetImageSize(&w, &h);
    const uint8_t* bits = image.GetPixelBits();
    const uint8_t* alpha = image.GetAlphaPlane();
    int bpp = image.GetBitCount();
    int32_t pitch = image.GetRowPitch(), apitch = image.GetAlphaRowPitch();
    if (w <= 0 || h <= 0 || !bits || w > 16384 || h > 16384 || (bpp != 15 && bpp != 16 && bpp != 24 && bpp != 32)) {
        DebugPrintf("D3DXDecodeImage() 画像の形式が不正です[%d x %d, %dbit]", w, h, bpp);
        return false;
    }
    argb->assign(static_cast<size_t>(w) * h, 0);
    for (int32_t y = 0; y < h; ++y) {
        const uint8_t* row = bits + static_cast<size_t>(h - 1 - y) * pitch;
        uint32_t* out = argb->data() + static_cast<size_t>(y) * w;
        const uint8_t* arow = alpha ? alpha + static_cast<size_t>(y) * apitch : nullptr;
        switch (bpp) {
        case 15: RowToArgb<15>(row, arow, out, w); break;
        case 16: RowToArgb<16>(row, arow, out, w); break;
        case 24: RowToArgb<24>(row, arow, out, w); break;
        default: RowToArgb<32>(row, arow, out, w); break;
        }
    }
    local.width = static_cast<uint32_t>(w);
    local.height = static_cast<uint32_t>(h);
    local.format = alpha ? GFX_FMT_A8R8G8B8
                   : bpp == 32 ? GFX_FMT_X8R8G8B8
                   : bpp == 24 ? GFX_FMT_R8G8B8
                   : bpp == 16 ? GFX_FMT_R5G6B5
                               : GFX_FMT_X1R5G5B5;
    if (info) {
        *info = local;
    }
    return true;
}

bool D3DXLoadSurfaceFromArgb(CD3DSurface* dest, const SGfxRect* destRect, const uint32_t* argb, uint32_t width,
                             uint32_t height, uint32_t pitch, const SGfxRect* sourceRect, uint32_t filter, uint32_t colorKey) {
    if (!dest || !dest->Exists() || !argb || width == 0 || height == 0) {
        DebugPrintf("D3DXLoadSurfaceFromArgb() 引数が不正です");
        return false;
    }
    SGfxRect src{0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height)};
    if (sourceRect) {
        src = *sourceRect;
        if (src.left < 0 || src.top < 0 || src.right > static_cast<int32_t>(width) || src.bottom > static_cast<int32_t>(height) ||
            src.left >= src.right || src.top >= src.bottom) {
            DebugPrintf("D3DXLoadSurfaceFromArgb() 転送元の矩形が画像の外です[%d,%d,%d,%d]", src.left, src.top, src.right,
                        src.bottom);
            return false;
        }
    }
    SGfxSurfaceDesc desc = dest->GetDesc();
    SGfxRect dr{0, 0, static_cast<int32_t>(desc.width), static_cast<int32_t>(desc.height)};
    if (destRect) {
        dr = *destRect;
        if (dr.left < 0 || dr.top < 0 || dr.right > static_cast<int32_t>(desc.width) ||
            dr.bottom > static_cast<int32_t>(desc.height) || dr.left >= dr.right || dr.top >= dr.bottom) {
            DebugPrintf("D3DXLoadSurfaceFromArgb() 転送先の矩形が不正です");
            return false;
        }
    }
    uint32_t sw = static_cast<uint32_t>(src.Width()), sh = static_cast<uint32_t>(src.Height());
    uint32_t dw = static_cast<uint32_t>(dr.Width()), dh = static_cast<uint32_t>(dr.Height());
    uint32_t f = filter == D3DX_DEFAULT ? D3DX_FILTER_TRIANGLE : (filter & D3DX_FILTER_MASK);
    if (desc.format == GFX_FMT_A8R8G8B8 && (f == D3DX_FILTER_NONE || (sw == dw && sh == dh))) {
        // The surface holds the colours as they are and nothing is resampled: the
        // rows go straight in (every picture the engine loads takes this way).
        SGfxLockedRect lock;
        if (!dest->Lock(&lock, &dr)) {
            DebugPrintf("D3DXLoadSurfaceFromArgb() LockRect()に失敗");
            return false;
        }
        const uint32_t w = std::min(sw, dw), h = std::min(sh, dh);
        for (uint32_t y = 0; y < h; ++y) {
            const uint32_t* row = argb + static_cast<size_t>(src.top + static_cast<int32_t>(y)) * pitch + src.left;
            uint32_t* out = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(lock.bits) + static_cast<size_t>(y) * lock.pitch);
            if (colorKey == 0) {
                std::memcpy(out, row, static_cast<size_t>(w) * 4);
                continue;
            }
            for (uint32_t x = 0; x < w; ++x) out[x] = row[x] == colorKey ? 0u : row[x];
        }
        dest->Unlock();
        return true;
    }
    std::vector<uint32_t> keyed(static_cast<size_t>(sw) * sh);
    for (uint32_t y = 0; y < sh; ++y) {
        const uint32_t* row = argb + static_cast<size_t>(src.top + static_cast<int32_t>(y)) * pitch + src.left;
        uint32_t* out = keyed.data() + static_cast<size_t>(y) * sw;
        for (uint32_t x = 0; x < sw; ++x) {
            out[x] = (colorKey != 0 && row[x] == colorKey) ? 0u : row[x];
        }
    }
    std::vector<uint32_t> scaled(static_cast<size_t>(dw) * dh, 0);
    SGfxLockedRect lock;
    if (!dest->Lock(&lock, &dr)) {
        DebugPrintf("D3DXLoadSurfaceFromArgb() LockRect()に失敗");
        return false;
    }
    uint32_t bpp = GfxFormatBytes(desc.format);
    if (f == D3DX_FILTER_NONE) {
        // What the source does not cover keeps the surface's pixels.
        for (uint32_t y = 0; y < dh; ++y) {
            const uint8_t* row = static_cast<const uint8_t*>(lock.bits) + static_cast<size_t>(y) * lock.pitch;
            for (uint32_t x = 0; x < dw; ++x) scaled[static_cast<size_t>(y) * dw + x] = GfxPixelToArgb(desc.format, row + x * bpp);
        }
    }
    D3DXResampleArgb(keyed.data(), sw, sh, sw, scaled.data(), dw, dh, filter);
    for (uint32_t y = 0; y < dh; ++y) {
        uint8_t* row = static_cast<uint8_t*>(lock.bits) + static_cast<size_t>(y) * lock.pitch;
        const uint32_t* in = scaled.data() + static_cast<size_t>(y) * dw;
        for (uint32_t x = 0; x < dw; ++x) {
            GfxArgbToPixel(desc.format, in[x], row + x * bpp);
        }
    }
    dest->Unlock();
    return true;
}

bool D3DXLoadSurfaceFromFileInMemory(CD3DSurface* dest, const SGfxRect* destRect, const void* data, size_t size,
                                     const SGfxRect* sourceRect, uint32_t filter, uint32_t colorKey, SD3DXImageInfo* info) {
    std::vector<uint32_t> argb;
    SD3DXImageInfo local;
    if (!D3DXDecodeImage(data, size, &argb, &local)) {
        return false;
    }
    if (info) {
        *info = local;
    }
    return D3DXLoadSurfaceFromArgb(dest, destRect, argb.data(), local.width, local.height, local.width, sourceRect, filter,
                                   colorKey);
}
