#include "engine/d3d/D3DDeviceCaps.h"

#include <algorithm>

#include "platform/gfx/GfxDevice.h"

bool CD3DDeviceCaps::Load(const CGfxDevice* device) {
    if (!device) {
        return false;
    }
    SGfxCaps caps;
    if (GfxFailed(device->GetDeviceCaps(&caps))) {
        return false;
    }
    m_Caps = caps;
    m_Loaded = true;
    return true;
}

uint32_t CD3DDeviceCaps::GetMaxTextureWidth() const {
    return m_Loaded ? std::min(m_Caps.maxTextureWidth, kTextureLimit) : 0;
}

uint32_t CD3DDeviceCaps::GetMaxTextureHeight() const {
    return m_Loaded ? std::min(m_Caps.maxTextureHeight, kTextureLimit) : 0;
}

uint32_t CD3DDeviceCaps::FitTextureSize(uint32_t size, bool width) const {
    uint32_t limit = width ? GetMaxTextureWidth() : GetMaxTextureHeight();
    if (size == 0 || size > limit) {
        return 0;
    }
    if (!m_Caps.texturePow2) {
        return size;
    }
    uint32_t p = 1;
    while (p < size) {
        p <<= 1;
    }
    return p <= limit ? p : 0;
}
