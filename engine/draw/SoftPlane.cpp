#include "engine/draw/SoftPlane.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/base/Log.h"
#include "engine/soft/SoftSurfaceProxy.h"

CSoftPlane::CSoftPlane() = default;

CSoftPlane::~CSoftPlane() = default;

bool CSoftPlane::Build(const uint32_t* argb, int32_t width, int32_t height, int32_t pitch, int depth) {
    m_Valid = false;
    if (!argb || width <= 0 || height <= 0 || BytesPerPixel(depth) == 0) {
        return false;
    }
    if (!m_Surface) {
        m_Surface = std::make_unique<CSoftSurfaceProxy>(nullptr);
        m_Surface->SetAutoRegister(false);
    }
    if (!m_Surface->Create(width, height, depth, false)) {
        DebugPrintf("CSoftPlane::Build() サーフェスの作成に失敗[%d x %d, %dbit]", width, height, depth);
        return false;
    }
    bool translucent = false;
    for (int32_t y = 0; y < height && !translucent; ++y) {
        const uint32_t* row = argb + static_cast<size_t>(y) * pitch;
        for (int32_t x = 0; x < width; ++x) {
            if ((row[x] >> 24) != 0xFF) {
                translucent = true;
                break;
            }
        }
    }
    m_Surface->SetColorKeyEnabled(false);
    m_Surface->SetAlphaEnabled(translucent);
    CSurfaceLock lock(m_Surface.get());
    uint8_t* bits = m_Surface->GetBits();
    if (!lock.locked || !bits) {
        return false;
    }
    int bpp = BytesPerPixel(depth);
    uint8_t* alpha = translucent ? m_Surface->GetAlphaBits() : nullptr;
    for (int32_t y = 0; y < height; ++y) {
        const uint32_t* src = argb + static_cast<size_t>(y) * pitch;
        uint8_t* dst = bits + static_cast<size_t>(y) * m_Surface->GetPitch();
        for (int32_t x = 0; x < width; ++x) {
            uint32_t p = src[x];
            uint32_t r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
            uint8_t* o = dst + static_cast<size_t>(x) * bpp;
            switch (depth) {
            case 32: {
                uint32_t v = p & 0x00FFFFFFu;
                std::memcpy(o, &v, 4);
                break;
            }
            case 24:
                o[0] = static_cast<uint8_t>(b);
                o[1] = static_cast<uint8_t>(g);
                o[2] = static_cast<uint8_t>(r);
                break;
            case 16: {
                uint16_t v = static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
                std::memcpy(o, &v, 2);
                break;
            }
            default: {
                uint16_t v = static_cast<uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
                std::memcpy(o, &v, 2);
                break;
            }
            }
        }
        if (alpha) {
            uint8_t* a = alpha + static_cast<size_t>(y) * m_Surface->GetAlphaPitch();
            for (int32_t x = 0; x < width; ++x) a[x] = static_cast<uint8_t>(src[x] >> 24);
        }
    }
    m_Depth = depth;
    m_Valid = true;
    return true;
}

bool CSoftPlane::Draw(CSoftSurface* target, const SRect& dest, const SRect& source, const CMatrix4* matrix, uint32_t colour,
                      const uint32_t* argb, int32_t width, int32_t height, int32_t pitch) {
    if (!target || !target->IsCreated()) {
        return false;
    }
    int depth = target->GetBitDepth();
    if ((!m_Valid || depth != m_Depth) && !Build(argb, width, height, pitch, depth)) {
        return false;
    }
    SRect d = dest;
    if (matrix) {
        const float(&m)[4][4] = matrix->m;
        if (std::fabs(m[0][1]) > 1e-6f || std::fabs(m[1][0]) > 1e-6f) {
            static bool reported = false;
            if (!reported) {
                reported = true;
                DebugPrintf("CSoftPlane::Draw() 回転する描画はソフトウェア描画では行えません");
            }
            return false;
        }
        float x0 = dest.left * m[0][0] + m[3][0], x1 = dest.right * m[0][0] + m[3][0];
        float y0 = dest.top * m[1][1] + m[3][1], y1 = dest.bottom * m[1][1] + m[3][1];
        // Held well inside the int range, so that widths and heights stay ints (and a
        // NaN lands on an edge).
        auto pixel = [](float v) {
            double r = std::round(static_cast<double>(v));
            return static_cast<int32_t>(r > 0x3FFFFFFF ? 0x3FFFFFFF : r >= -0x3FFFFFFF ? r : -0x3FFFFFFF);
        };
        d.left = pixel(std::fmin(x0, x1));
        d.right = pixel(std::fmax(x0, x1));
        d.top = pixel(std::fmin(y0, y1));
        d.bottom = pixel(std::fmax(y0, y1));
    } else {
        auto hold = [](int32_t v) { return std::clamp<int32_t>(v, -0x3FFFFFFF, 0x3FFFFFFF); };
        d = SRect{hold(dest.left), hold(dest.top), hold(dest.right), hold(dest.bottom)};
    }
    if (d.IsEmpty()) {
        return true;
    }
    int opacity = static_cast<int>(colour >> 24);
    SSize size = target->GetSize();
    SRect clip{0, 0, size.cx, size.cy};
    if (d.Width() == source.Width() && d.Height() == source.Height()) {
        SPoint at{d.left, d.top};
        target->Blt(m_Surface.get(), &at, &source, &clip, opacity, 0);
    } else {
        target->StretchBlt(m_Surface.get(), d, source, clip, opacity);
    }
    return true;
}
