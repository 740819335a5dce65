#include "platform/gfx/GfxSystem.h"

#include <SDL.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/window/PlatformVideo.h"

namespace {
std::atomic<bool> g_Refuse{false};
std::atomic<uint32_t> g_MaxTexture{0};
constexpr uint32_t kDefaultMaxTexture = 1024;
}  // namespace

bool CGfxSystem::IsDeviceRefused() {
    if (g_Refuse.load()) {
        return true;
    }
    const char* env = std::getenv("NIWA_FORCE_GDI");
    return env && std::strcmp(env, "1") == 0;
}

void CGfxSystem::SetRefuseDevicesForTesting(bool refuse) { g_Refuse = refuse; }

void CGfxSystem::SetDefaultMaxTextureSizeForTesting(uint32_t size) { g_MaxTexture = size; }

SGfxCaps CGfxSystem::GetDefaultCaps() {
    SGfxCaps caps;
    uint32_t m = g_MaxTexture.load();
    caps.maxTextureWidth = caps.maxTextureHeight = m == 0 ? kDefaultMaxTexture : m;
    return caps;
}

GfxResult CGfxSystem::CreateDevice(uint32_t deviceType, const SGfxPresentParams& params, std::unique_ptr<CGfxDevice>* out) {
    if (!out) {
        return GFX_E_INVALIDCALL;
    }
    out->reset();
    if (deviceType < GFX_DEVTYPE_HAL || deviceType > GFX_DEVTYPE_SW) {
        return GFX_E_INVALIDCALL;
    }
    if (IsDeviceRefused()) {
        return GFX_E_NOTAVAILABLE;
    }
    if (params.backBufferWidth == 0 || params.backBufferHeight == 0 || params.backBufferWidth > 8192 ||
        params.backBufferHeight > 8192) {
        return GFX_E_INVALIDCALL;
    }
    *out = std::make_unique<CGfxDevice>(deviceType, params, GetDefaultCaps());
    return GFX_OK;
}

GfxResult CGfxSystem::GetAdapterIdentifier(SGfxAdapterInfo* info) {
    if (!info) {
        return GFX_E_INVALIDCALL;
    }
    *info = SGfxAdapterInfo{};
    std::strncpy(info->driver, "niwa-soft", sizeof(info->driver) - 1);
    std::strncpy(info->description, "Niwa software rasteriser (SSE2 spans)", sizeof(info->description) - 1);
    return GFX_OK;
}

std::string CGfxSystem::GetVideoDriverName() {
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    const char* name = SDL_GetCurrentVideoDriver();
    return name ? std::string(name) : std::string("none");
}
