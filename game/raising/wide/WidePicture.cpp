#include "game/raising/wide/WidePicture.h"

#include <algorithm>
#include <vector>

#include "engine/base/AppManager.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DDeviceCaps.h"
#include "engine/d3d/D3DXLoad.h"
#include "engine/file/File.h"

uint32_t CWidePicture::TextureSide(uint32_t maxWidth, uint32_t maxHeight) {
    return std::min(maxWidth, 1024u) > 256 || std::min(maxHeight, 1024u) > 256 ? 512 : 256;
}

bool CWidePicture::Load() {
    m_Slice.Release();
    std::vector<uint8_t> file;
    if (!CFile::ReadAll(kFile, &file, false)) {
        return false;
    }
    CD3DDevice* device = CAppManager::GetD3DDevice();
    if (!device) {
        return false;
    }
    const CD3DDeviceCaps& caps = device->GetCaps();
    const uint32_t side = TextureSide(caps.GetMaxTextureWidth(), caps.GetMaxTextureHeight());
    if (!m_Slice.Create(device, side, side, GFX_FMT_A8R8G8B8)) {
        return false;
    }
    const SGfxRect source{0, 0, kSliceWidth, kSliceHeight};
    if (!m_Slice.LoadFromFileInMemory(file.data(), file.size(), &source, D3DX_FILTER_TRIANGLE, kColourKey, nullptr)) {
        m_Slice.Release();
        return false;
    }
    m_Width = kSliceWidth;
    m_Height = kSliceHeight;
    return true;
}

void CWidePicture::Draw(int slice) {
    CD3DDevice* device = m_Slice.GetDevice();
    if (slice != 0 || !m_Slice.Exists() || !device) {
        return;
    }
    const float left = -0.5f;
    const float right = 799.5f;
    const float bottom = kTop + static_cast<float>(kSliceHeight);
    const uint32_t white = 0xFFFFFFFFu;
    const SGfxVertex quad[4] = {
        {left, kTop, 0.0f, 1.0f, white, 0.0f, 0.0f},
        {right, kTop, 0.0f, 1.0f, white, 1.0f, 0.0f},
        {left, bottom, 0.0f, 1.0f, white, 0.0f, 1.0f},
        {right, bottom, 0.0f, 1.0f, white, 1.0f, 1.0f},
    };
    device->SetTextureFilter(0, 2, 2);
    m_Slice.Draw(GFX_PT_TRIANGLESTRIP, 2, quad);
    device->SetTextureFilter(0, 1, 1);
}
