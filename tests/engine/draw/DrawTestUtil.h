#pragma once
// Helpers of the drawing-layer tests: a screen on the software graphics device
// without a window, the back buffer read back, pictures made of seeded noise.
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/base/AppManager.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DSurface.h"
#include "engine/d3d/Screen.h"
#include "engine/draw/ImagePlane.h"
#include "platform/gfx/GfxResource.h"
#include "platform/gfx/GfxSystem.h"

namespace drawtest {

// A screen drawing through the graphics device, registered for the thread.
class CTestScreen {
public:
    CTestScreen() {
        m_Screen = std::make_unique<CScreen>();
        m_Screen->Create(nullptr, true, "");
    }
    CD3DDevice* Device() { return m_Screen->GetRenderer()->GetD3DDevice(); }
    CScreen& Screen() { return *m_Screen; }

private:
    std::unique_ptr<CScreen> m_Screen;
};

// The render target's pixels (RGB only).
inline std::vector<uint32_t> ReadTarget(CD3DDevice& device) {
    CD3DSurface target;
    device.GetRenderTarget(&target);
    const CGfxPixels& p = target.GetGfx()->Pixels();
    std::vector<uint32_t> out(static_cast<size_t>(p.GetWidth()) * p.GetHeight());
    for (uint32_t y = 0; y < p.GetHeight(); ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(p.Row(y));
        for (uint32_t x = 0; x < p.GetWidth(); ++x) out[static_cast<size_t>(y) * p.GetWidth() + x] = row[x] & 0xFFFFFFu;
    }
    return out;
}

inline uint32_t Pixel(const std::vector<uint32_t>& pixels, int x, int y) { return pixels[static_cast<size_t>(y) * 800 + x]; }

// width × height pixels of seeded noise (opaque unless `alpha`).
inline std::vector<uint32_t> Noise(uint32_t seed, int width, int height, bool alpha = false) {
    std::vector<uint32_t> out(static_cast<size_t>(width) * height);
    uint32_t s = seed * 2654435761u + 1;
    for (uint32_t& p : out) {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        p = alpha ? s : (s | 0xFF000000u);
    }
    return out;
}

}  // namespace drawtest
