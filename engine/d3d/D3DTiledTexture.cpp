#include "engine/d3d/D3DTiledTexture.h"

#include <algorithm>
#include <cstring>

#include "engine/base/Log.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DXLoad.h"
#include "platform/gfx/GfxResource.h"

namespace {

// Cores of at most `limit − 2` pixels (a border texel on each side) when the picture
// does not fit in one texture.
std::vector<std::pair<int32_t, int32_t>> Split(uint32_t size, uint32_t limit) {
    std::vector<std::pair<int32_t, int32_t>> spans;
    if (size <= limit) {
        spans.emplace_back(0, static_cast<int32_t>(size));
        return spans;
    }
    uint32_t step = limit > 2 ? limit - 2 : 1;
    for (uint32_t at = 0; at < size; at += step) {
        spans.emplace_back(static_cast<int32_t>(at), static_cast<int32_t>(std::min(size, at + step)));
    }
    return spans;
}

uint32_t RoundUpPow2(uint32_t v, uint32_t limit) {
    uint32_t p = 1;
    while (p < v) p <<= 1;
    return p <= limit ? p : v;
}

}  // namespace

bool CD3DTiledTexture::Create(CD3DDevice* device, uint32_t width, uint32_t height, EGfxFormat format, uint32_t pool) {
    Release();
    if (!device || !device->IsCreated() || width == 0 || height == 0) {
        DebugPrintf("CD3DTiledTexture::Create() 引数が不正です[%u x %u]", width, height);
        return false;
    }
    const CD3DDeviceCaps& caps = device->GetCaps();
    uint32_t maxW = caps.GetMaxTextureWidth(), maxH = caps.GetMaxTextureHeight();
    if (maxW < 3 || maxH < 3) {
        DebugPrintf("CD3DTiledTexture::Create() テクスチャの上限が小さすぎます[%u x %u]", maxW, maxH);
        return false;
    }
    auto cols = Split(width, maxW), rows = Split(height, maxH);
    m_Device = device;
    m_Width = width;
    m_Height = height;
    m_Columns = static_cast<uint32_t>(cols.size());
    m_Rows = static_cast<uint32_t>(rows.size());
    for (const auto& r : rows) {
        for (const auto& c : cols) {
            STile tile;
            tile.core = SGfxRect{c.first, r.first, c.second, r.second};
            tile.originX = std::max(0, c.first - 1);
            tile.originY = std::max(0, r.first - 1);
            int32_t endX = std::min<int32_t>(static_cast<int32_t>(width), c.second + 1);
            int32_t endY = std::min<int32_t>(static_cast<int32_t>(height), r.second + 1);
            if (cols.size() == 1) {
                tile.originX = 0;
                endX = static_cast<int32_t>(width);
            }
            if (rows.size() == 1) {
                tile.originY = 0;
                endY = static_cast<int32_t>(height);
            }
            tile.usedWidth = endX - tile.originX;
            tile.usedHeight = endY - tile.originY;
            uint32_t tw = caps.FitTextureSize(static_cast<uint32_t>(tile.usedWidth), true);
            uint32_t th = caps.FitTextureSize(static_cast<uint32_t>(tile.usedHeight), false);
            // Power-of-two tiles keep texture coordinates exact in floats, so 1:1 draws
            // of inner tiles copy rows straight from the texture.
            if (cols.size() > 1) tw = RoundUpPow2(tw, maxW);
            if (rows.size() > 1) th = RoundUpPow2(th, maxH);
            tile.texture = std::make_unique<CD3DTexture>();
            if (tw == 0 || th == 0 || !tile.texture->Create(device, tw, th, format, pool)) {
                DebugPrintf("CD3DTiledTexture::Create() タイルの作成に失敗[%d x %d]", tile.usedWidth, tile.usedHeight);
                Release();
                return false;
            }
            m_Tiles.push_back(std::move(tile));
        }
    }
    return true;
}

bool CD3DTiledTexture::LoadArgb(const uint32_t* argb, uint32_t pitch) {
    if (!argb || m_Tiles.empty() || pitch < m_Width) {
        return false;
    }
    for (STile& tile : m_Tiles) {
        CD3DTexture& t = *tile.texture;
        uint32_t tw = t.GetWidth(), th = t.GetHeight();
        // The texels past the picture repeat its last column and row, so filtering at
        // the picture's edge reads the edge.
        std::vector<uint32_t> block(static_cast<size_t>(tw) * th);
        for (uint32_t y = 0; y < th; ++y) {
            int32_t sy = tile.originY + std::min<int32_t>(static_cast<int32_t>(y), tile.usedHeight - 1);
            const uint32_t* row = argb + static_cast<size_t>(sy) * pitch;
            uint32_t* out = block.data() + static_cast<size_t>(y) * tw;
            for (uint32_t x = 0; x < tw; ++x) {
                int32_t sx = tile.originX + std::min<int32_t>(static_cast<int32_t>(x), tile.usedWidth - 1);
                out[x] = row[sx];
            }
        }
        CD3DSurface surface;
        if (!t.GetSurface(&surface) ||
            !D3DXLoadSurfaceFromArgb(&surface, nullptr, block.data(), tw, th, tw, nullptr, D3DX_FILTER_NONE, 0)) {
            DebugPrintf("CD3DTiledTexture::LoadArgb() タイルの転送に失敗");
            return false;
        }
        t.ClearContentLost();
    }
    return true;
}

bool CD3DTiledTexture::LoadFromFileInMemory(CD3DDevice* device, const void* data, size_t size, uint32_t colorKey,
                                            SD3DXImageInfo* info) {
    std::vector<uint32_t> argb;
    SD3DXImageInfo local;
    if (!D3DXDecodeImage(data, size, &argb, &local)) {
        Release();
        return false;
    }
    if (info) {
        *info = local;
    }
    if (colorKey != 0) {
        for (uint32_t& p : argb) {
            if (p == colorKey) p = 0;
        }
    }
    if (!Create(device, local.width, local.height)) {
        return false;
    }
    return LoadArgb(argb.data(), local.width);
}

void CD3DTiledTexture::Release() {
    m_Tiles.clear();
    m_Device = nullptr;
    m_Width = m_Height = 0;
    m_Columns = m_Rows = 0;
}

bool CD3DTiledTexture::Draw(float x, float y, uint32_t color) const {
    SD3DRectF dest{x, y, x + static_cast<float>(m_Width), y + static_cast<float>(m_Height)};
    return DrawStretch(dest, SGfxRect{0, 0, static_cast<int32_t>(m_Width), static_cast<int32_t>(m_Height)}, color, nullptr);
}

bool CD3DTiledTexture::DrawStretch(const SD3DRectF& dest, const SGfxRect& source, uint32_t color, const float* m) const {
    if (m_Tiles.empty() || !m_Device) {
        return false;
    }
    SGfxRect src = source;
    if (src.left < 0 || src.top < 0 || src.right > static_cast<int32_t>(m_Width) || src.bottom > static_cast<int32_t>(m_Height) ||
        src.left >= src.right || src.top >= src.bottom) {
        DebugPrintf("CD3DTiledTexture::DrawStretch() 転送元の矩形が不正です[%d,%d,%d,%d]", src.left, src.top, src.right, src.bottom);
        return false;
    }
    double sx = (static_cast<double>(dest.right) - dest.left) / src.Width();
    double sy = (static_cast<double>(dest.bottom) - dest.top) / src.Height();
    auto place = [&](double px, double py, float* ox, float* oy) {
        double x = dest.left + (px - src.left) * sx;
        double y = dest.top + (py - src.top) * sy;
        if (m) {
            double tx = x * m[0] + y * m[4] + m[12];
            double ty = x * m[1] + y * m[5] + m[13];
            x = tx;
            y = ty;
        }
        // Pixel centres lie on integer coordinates: edges are half a pixel before them.
        *ox = static_cast<float>(x - 0.5);
        *oy = static_cast<float>(y - 0.5);
    };
    bool ok = true;
    uint32_t oldU = m_Device->GetTextureStageState(0, GFX_TSS_ADDRESSU), oldV = m_Device->GetTextureStageState(0, GFX_TSS_ADDRESSV);
    m_Device->SetTextureAddressMode(0, GFX_TADDRESS_CLAMP, GFX_TADDRESS_CLAMP);
    for (const STile& tile : m_Tiles) {
        int32_t l = std::max(tile.core.left, src.left), t = std::max(tile.core.top, src.top);
        int32_t r = std::min(tile.core.right, src.right), b = std::min(tile.core.bottom, src.bottom);
        if (l >= r || t >= b) {
            continue;
        }
        float tw = static_cast<float>(tile.texture->GetWidth()), th = static_cast<float>(tile.texture->GetHeight());
        float u0 = static_cast<float>(l - tile.originX) / tw, u1 = static_cast<float>(r - tile.originX) / tw;
        float v0 = static_cast<float>(t - tile.originY) / th, v1 = static_cast<float>(b - tile.originY) / th;
        SGfxVertex v[4];
        place(l, t, &v[0].x, &v[0].y);
        place(r, t, &v[1].x, &v[1].y);
        place(l, b, &v[2].x, &v[2].y);
        place(r, b, &v[3].x, &v[3].y);
        const float us[4] = {u0, u1, u0, u1}, vs[4] = {v0, v0, v1, v1};
        for (int i = 0; i < 4; ++i) {
            v[i].z = 0.0f;
            v[i].rhw = 1.0f;
            v[i].color = color;
            v[i].u = us[i];
            v[i].v = vs[i];
        }
        ok = tile.texture->Draw(GFX_PT_TRIANGLESTRIP, 2, v) && ok;
    }
    m_Device->SetTextureAddressMode(0, oldU, oldV);
    return ok;
}
