// The file loaders on arbitrary bytes: an image file in memory, a source rectangle,
// a filter and a colour key into a surface, and into tiled textures.  Whatever the
// bytes, a load either fails with a log line or fills the surface; nothing is read
// or written outside.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/base/Log.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DSurface.h"
#include "engine/d3d/D3DTiledTexture.h"
#include "engine/d3d/D3DXLoad.h"
#include "platform/gfx/GfxSystem.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CD3DDevice* device = [] {
        SetDebugOutputEnabled(false);
        CGfxSystem::SetDefaultMaxTextureSizeForTesting(16);
        auto* d = new CD3DDevice();
        d->Create(nullptr);
        return d;
    }();
    if (!device->IsCreated() || size < 8) return 0;
    static const EGfxFormat kFormats[] = {GFX_FMT_A8R8G8B8, GFX_FMT_X8R8G8B8, GFX_FMT_R5G6B5, GFX_FMT_X1R5G5B5,
                                          GFX_FMT_A1R5G5B5, GFX_FMT_A4R4G4B4, GFX_FMT_A8};
    uint32_t dw = 1 + data[0] % 48, dh = 1 + data[1] % 48;
    CD3DSurface surface;
    if (!surface.CreateImageSurface(device, dw, dh, kFormats[data[2] % 7])) return 0;
    SGfxRect src{data[3] % 8, data[4] % 8, 1 + data[3] % 8 + data[5] % 40, 1 + data[4] % 8 + data[6] % 40};
    uint32_t filter = 1 + data[7] % 5;
    uint32_t key = (data[7] & 0x80) ? 0xFF00FF00u : 0u;
    const uint8_t* file = data + 8;
    size_t fileSize = size - 8;
    SD3DXImageInfo info;
    D3DXLoadSurfaceFromFileInMemory(&surface, nullptr, file, fileSize, (data[7] & 0x40) ? &src : nullptr, filter, key, &info);
    std::vector<uint32_t> argb;
    if (D3DXDecodeImage(file, fileSize, &argb, &info) && static_cast<uint64_t>(info.width) * info.height <= 128u * 128u) {
        CD3DTiledTexture tiled;
        if (tiled.Create(device, info.width, info.height)) {
            tiled.LoadArgb(argb.data(), info.width);
            tiled.Draw(static_cast<float>(data[0] % 32) - 8.0f, static_cast<float>(data[1] % 32) - 8.0f);
        }
    }
    std::vector<uint8_t> bmp;
    surface.EncodeBitmap(&bmp);
    return 0;
}
