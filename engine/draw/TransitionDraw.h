#pragma once
// Drawing helpers shared by the transitions: textured quads and triangles in pixel
// coordinates (edges; the half-pixel offset of the device is applied here), fills,
// and the states the transitions set.
#include <cstdint>

class CD3DDevice;
class CD3DTexture;

namespace transdraw {

// Blending off (the picture replaces the target) or the usual source-alpha blend,
// no pixel program, nothing on stage 1.
void SetOpaque(CD3DDevice* device);
void SetBlended(CD3DDevice* device);
// 1 point, 2 linear.
void SetFilter(CD3DDevice* device, uint32_t filter);

// A quad with corners (x, y) given top-left, top-right, bottom-left, bottom-right, and
// the texture coordinates in texels of the texture.
bool Quad(CD3DDevice* device, const CD3DTexture* texture, const float xy[4][2], const float uv[4][2], uint32_t colour);
// An axis-aligned rectangle [x0, x1) × [y0, y1) showing texels [u0, u1) × [v0, v1).
bool Rect(CD3DDevice* device, const CD3DTexture* texture, float x0, float y0, float x1, float y1, float u0, float v0, float u1,
          float v1, uint32_t colour);
// The whole picture (w × h texels) over [0, w) × [0, h).
bool Full(CD3DDevice* device, const CD3DTexture* texture, float w, float h, uint32_t colour);
// The whole picture scaled by `scale` and turned by `radians` about the screen centre.
bool Turned(CD3DDevice* device, const CD3DTexture* texture, float w, float h, float scale, float radians, uint32_t colour);
// One triangle of the picture: screen corners and their texel coordinates.
bool Triangle(CD3DDevice* device, const CD3DTexture* texture, const float xy[3][2], const float uv[3][2], uint32_t colour);
// A flat colour over [0, w) × [0, h), blended by its alpha.
bool Fill(CD3DDevice* device, float w, float h, uint32_t argb);

// ARGB with the alpha of t (0..1).
uint32_t Alpha(float t);

}  // namespace transdraw
