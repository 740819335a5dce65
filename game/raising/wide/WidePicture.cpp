#include "game/raising/wide/WidePicture.h"

#include <algorithm>
#include <vector>

#include "engine/base/AppManager.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DDeviceCaps.h"
#include "engine/d3d/D3DXLoad.h"
#include "engine/file/File.h"
#include "game/raising/wide/WideBand.h"

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
    device->SetTextureFilter(0, 2, 2);
    DrawAcrossScreen(m_Slice, kTop, static_cast<float>(kSliceHeight), 0.0f, 1.0f, 0xFFFFFFFFu);
    device->SetTextureFilter(0, 1, 1);
}
