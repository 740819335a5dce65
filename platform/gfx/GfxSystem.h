#pragma once
// The graphics system: creates devices and reports the adapter.  Creation succeeds
// unless it is refused: the environment variable NIWA_FORCE_GDI=1 (users who want
// the GDI renderer) or the test hook refuse every device kind, so that the engine
// falls back to its GDI renderer.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/gfx/GfxDevice.h"

class CGfxSystem {
public:
    // A device of the kind (GFX_DEVTYPE_*) with an 800 × 600 (or as given) back buffer.
    static GfxResult CreateDevice(uint32_t deviceType, const SGfxPresentParams& params, std::unique_ptr<CGfxDevice>* out);
    static GfxResult GetAdapterIdentifier(SGfxAdapterInfo* info);
    // The capabilities a new device gets.
    static SGfxCaps GetDefaultCaps();

    // True when devices are refused (environment or test hook).
    static bool IsDeviceRefused();
    // Test hooks: refuse every device; the maximum texture size of new devices.
    static void SetRefuseDevicesForTesting(bool refuse);
    static void SetDefaultMaxTextureSizeForTesting(uint32_t size);  // 0 restores 1024

    // The name of the video driver SDL runs on ("x11", "wayland", "dummy"), or
    // "none" before SDL's video is started.
    static std::string GetVideoDriverName();
};
