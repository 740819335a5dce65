#include "game/raising/wide/WideBand.h"

#include <vector>

#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DXLoad.h"
#include "engine/file/File.h"

void DrawAcrossScreen(const CD3DTexture& texture, float top, float height, float u0, float u1, uint32_t colour) {
    const float left = -0.5f;
    const float right = 799.5f;
    const float bottom = top + height;
    const SGfxVertex quad[4] = {
        {left, top, 0.0f, 1.0f, colour, u0, 0.0f},
        {right, top, 0.0f, 1.0f, colour, u1, 0.0f},
        {left, bottom, 0.0f, 1.0f, colour, u0, 1.0f},
        {right, bottom, 0.0f, 1.0f, colour, u1, 1.0f},
    };
    texture.Draw(GFX_PT_TRIANGLESTRIP, 2, quad);
}

bool CWideBand::Load() {
    m_Texture.Release();
    std::vector<uint8_t> file;
    if (!CFile::ReadAll(kFile, &file, false)) {
        return false;
    }
    if (!m_Texture.Create(kTextureSide, kTextureSide, GFX_FMT_A8R8G8B8)) {
        return false;
    }
    SD3DXImageInfo info;
    // A picture that cannot be decoded leaves an empty texture: that is no band.
    if (!m_Texture.LoadFromFileInMemory(file.data(), file.size(), nullptr, D3DX_FILTER_TRIANGLE, 0, &info) ||
        info.width == 0 || info.height == 0) {
        m_Texture.Release();
        return false;
    }
    m_Width = static_cast<int32_t>(info.width);
    m_Height = static_cast<int32_t>(info.height);
    m_Phase = 0.0f;
    return true;
}

void CWideBand::Draw(uint32_t colour) {
    CD3DDevice* device = m_Texture.GetDevice();
    if (!m_Texture.Exists() || !device || m_Width <= 0) {
        return;
    }
    device->SetTextureFilter(0, 2, 2);
    device->SetTextureAddressMode(0, 1, 1);
    DrawAcrossScreen(m_Texture, kTop, static_cast<float>(m_Height), m_Phase,
                     m_Phase + 800.0f / static_cast<float>(m_Width), colour);
    device->SetTextureFilter(0, 1, 1);
    device->SetTextureAddressMode(0, 3, 3);
}
