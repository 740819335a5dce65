#pragma once
// Helpers of the Direct3D layer tests: a device without a window, pixels read back.
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DSurface.h"
#include "platform/gfx/GfxSystem.h"

namespace d3dtest {

// Restores the device creation hooks when the test ends.
struct SGfxHooks {
    ~SGfxHooks() {
        CGfxSystem::SetRefuseDevicesForTesting(false);
        CGfxSystem::SetDefaultMaxTextureSizeForTesting(0);
    }
};

inline std::vector<uint32_t> ReadBackBuffer(CD3DDevice& device) {
    CD3DSurface bb;
    device.GetBackBuffer(&bb);
    const CGfxPixels& p = bb.GetGfx()->Pixels();
    std::vector<uint32_t> out(static_cast<size_t>(p.GetWidth()) * p.GetHeight());
    for (uint32_t y = 0; y < p.GetHeight(); ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(p.Row(y));
        for (uint32_t x = 0; x < p.GetWidth(); ++x) out[static_cast<size_t>(y) * p.GetWidth() + x] = row[x] & 0xFFFFFFu;
    }
    return out;
}

}  // namespace d3dtest
