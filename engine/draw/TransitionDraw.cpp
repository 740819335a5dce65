#include "engine/draw/TransitionDraw.h"

#include <algorithm>
#include <cmath>

#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DTexture.h"

namespace transdraw {

void SetOpaque(CD3DDevice* device) {
    device->SetPixelShader(0);
    device->SetTexture(1, nullptr);
    device->SetAlphaBlend(false, GFX_BLEND_ONE, GFX_BLEND_ZERO);
}

void SetBlended(CD3DDevice* device) {
    device->SetPixelShader(0);
    device->SetTexture(1, nullptr);
    device->SetAlphaBlend(true, GFX_BLEND_SRCALPHA, GFX_BLEND_INVSRCALPHA);
}

void SetFilter(CD3DDevice* device, uint32_t filter) { device->SetTextureFilter(0, filter, filter); }

bool Quad(CD3DDevice* device, const CD3DTexture* texture, const float xy[4][2], const float uv[4][2], uint32_t colour) {
    SGfxVertex v[4];
    float tw = texture ? static_cast<float>(texture->GetWidth()) : 1.0f;
    float th = texture ? static_cast<float>(texture->GetHeight()) : 1.0f;
    for (int i = 0; i < 4; ++i) {
        v[i] = SGfxVertex{xy[i][0] - 0.5f, xy[i][1] - 0.5f, 0.0f, 1.0f, colour, uv[i][0] / tw, uv[i][1] / th};
    }
    if (texture) {
        return texture->Draw(GFX_PT_TRIANGLESTRIP, 2, v);
    }
    device->SetTexture(0, nullptr);
    device->SetVertexShader(GFX_FVF_TLVERTEX);
    return device->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SGfxVertex));
}

bool Rect(CD3DDevice* device, const CD3DTexture* texture, float x0, float y0, float x1, float y1, float u0, float v0, float u1,
          float v1, uint32_t colour) {
    const float xy[4][2] = {{x0, y0}, {x1, y0}, {x0, y1}, {x1, y1}};
    const float uv[4][2] = {{u0, v0}, {u1, v0}, {u0, v1}, {u1, v1}};
    return Quad(device, texture, xy, uv, colour);
}

bool Full(CD3DDevice* device, const CD3DTexture* texture, float w, float h, uint32_t colour) {
    return Rect(device, texture, 0, 0, w, h, 0, 0, w, h, colour);
}

bool Turned(CD3DDevice* device, const CD3DTexture* texture, float w, float h, float scale, float radians, uint32_t colour) {
    float cx = w / 2, cy = h / 2;
    float c = std::cos(radians) * scale, s = std::sin(radians) * scale;
    const float corners[4][2] = {{-cx, -cy}, {cx, -cy}, {-cx, cy}, {cx, cy}};
    float xy[4][2];
    for (int i = 0; i < 4; ++i) {
        xy[i][0] = cx + corners[i][0] * c - corners[i][1] * s;
        xy[i][1] = cy + corners[i][0] * s + corners[i][1] * c;
    }
    const float uv[4][2] = {{0, 0}, {w, 0}, {0, h}, {w, h}};
    return Quad(device, texture, xy, uv, colour);
}

bool Triangle(CD3DDevice* device, const CD3DTexture* texture, const float xy[3][2], const float uv[3][2], uint32_t colour) {
    SGfxVertex v[3];
    float tw = static_cast<float>(texture->GetWidth()), th = static_cast<float>(texture->GetHeight());
    for (int i = 0; i < 3; ++i) {
        v[i] = SGfxVertex{xy[i][0] - 0.5f, xy[i][1] - 0.5f, 0.0f, 1.0f, colour, uv[i][0] / tw, uv[i][1] / th};
    }
    (void)device;
    return texture->Draw(GFX_PT_TRIANGLELIST, 1, v);
}

bool Fill(CD3DDevice* device, float w, float h, uint32_t argb) {
    return Rect(device, nullptr, 0, 0, w, h, 0, 0, 0, 0, argb);
}

uint32_t Alpha(float t) {
    int a = static_cast<int>(std::lround(std::clamp(t, 0.0f, 1.0f) * 255.0f));
    return (static_cast<uint32_t>(a) << 24) | 0x00FFFFFFu;
}

}  // namespace transdraw
