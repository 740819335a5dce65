#pragma once
// The scrolling band of the wide background: "obj\b000_002.bmp" fitted into a 256 × 256
// texture and drawn across the screen from y 62 down, repeating every picture width
// and moving left as its phase grows.
#include <cstdint>

#include "engine/d3d/D3DTexture.h"

// A textured quad across the whole 800-pixel width, from `top` down `height` pixels,
// u from u0 to u1 and v from 0 to 1 (the -0.5 offsets put texel centres on pixels);
// the caller sets filtering and addressing.
void DrawAcrossScreen(const CD3DTexture& texture, float top, float height, float u0, float u1, uint32_t colour);

class CWideBand {
public:
    static constexpr const char* kFile = "obj\\b000_002.bmp";
    static constexpr uint32_t kTextureSide = 256;
    static constexpr float kTop = 61.5f;

    CWideBand() = default;
    virtual ~CWideBand() = default;
    CWideBand(const CWideBand&) = delete;
    CWideBand& operator=(const CWideBand&) = delete;

    // Creates the texture and fits the picture into it; the phase starts at 0.  False
    // (and no texture) when the file, the device or the picture fails.
    bool Load();
    void Release() { m_Texture.Release(); }
    bool Exists() const { return m_Texture.Exists(); }
    // Nothing without a texture.
    void Draw(uint32_t colour);

    float GetPhase() const { return m_Phase; }
    void SetPhase(float phase) { m_Phase = phase; }
    int32_t GetWidth() const { return m_Width; }
    int32_t GetHeight() const { return m_Height; }
    const CD3DTexture& GetTexture() const { return m_Texture; }

private:
    CD3DTexture m_Texture;
    float m_Phase = 0.0f;
    int32_t m_Width = 0;
    int32_t m_Height = 0;
};
