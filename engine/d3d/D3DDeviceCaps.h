#pragma once
// What the device can do, as the engine asks it.
#include <cstdint>

#include "platform/gfx/GfxTypes.h"

class CGfxDevice;

class CD3DDeviceCaps {
public:
    // The largest texture the engine makes, whatever the device allows.
    static constexpr uint32_t kTextureLimit = 1024;

    // Reads the device's capabilities; false (and nothing changed) without a device.
    bool Load(const CGfxDevice* device);
    bool IsLoaded() const { return m_Loaded; }

    // Never above 1024; 0 before Load.
    uint32_t GetMaxTextureWidth() const;
    uint32_t GetMaxTextureHeight() const;
    bool IsPow2Required() const { return m_Caps.texturePow2; }
    bool IsSquareOnly() const { return m_Caps.squareOnly; }
    uint32_t GetMaxTextureAspectRatio() const { return m_Caps.maxTextureAspectRatio; }
    uint32_t GetPixelShaderVersion() const { return m_Caps.pixelShaderVersion; }
    uint32_t GetMaxSimultaneousTextures() const { return m_Caps.maxSimultaneousTextures; }
    const SGfxCaps& GetRaw() const { return m_Caps; }

    // The texture size that holds `size` pixels on this device: the size itself, or the
    // next power of two when the device asks for one; 0 when it cannot.
    uint32_t FitTextureSize(uint32_t size, bool width) const;

private:
    SGfxCaps m_Caps;
    bool m_Loaded = false;
};
