#include "engine/d3d/D3DSystemInfo.h"

#include "engine/base/CpuInfo.h"
#include "engine/base/Log.h"
#include "engine/base/StringUtil.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/ScreenRenderer.h"
#include "engine/file/File.h"
#include "platform/gfx/GfxSystem.h"

namespace {

const char* KindName(CScreenRenderer::EKind kind) {
    switch (kind) {
    case CScreenRenderer::KIND_D3D: return "Direct3D";
    case CScreenRenderer::KIND_GDI: return "GDI";
    default: return "なし (描画しません)";
    }
}

const char* DeviceTypeName(uint32_t type) {
    switch (type) {
    case GFX_DEVTYPE_HAL: return "HAL";
    case GFX_DEVTYPE_SW: return "SW";
    case GFX_DEVTYPE_REF: return "REF";
    default: return "?";
    }
}

}  // namespace

std::string BuildSystemInfo(CScreenRenderer* renderer) {
    std::string out;
    auto line = [&out](const std::string& text) { out += text + "\r\n"; };
    line("[システム情報]");
    CScreenRenderer::EKind kind = renderer ? renderer->GetKind() : CScreenRenderer::KIND_NONE;
    line(FormatString("レンダラ: %s", KindName(kind)));
    line(FormatString("ビデオドライバ: %s", CGfxSystem::GetVideoDriverName().c_str()));
    uint32_t f = CCpuInfo::GetFeatures();
    std::string cpu;
    if (f & CCpuInfo::FEATURE_MMX) cpu += " MMX";
    if (f & CCpuInfo::FEATURE_SSE) cpu += " SSE";
    if (f & CCpuInfo::FEATURE_SSE2) cpu += " SSE2";
    if (f & CCpuInfo::FEATURE_3DNOW) cpu += " 3DNow!";
    if (f & CCpuInfo::FEATURE_3DNOWEXT) cpu += " 3DNow!Ext";
    line(FormatString("CPU拡張命令:%s", cpu.empty() ? " なし" : cpu.c_str()));
    CD3DDevice* device = renderer ? renderer->GetD3DDevice() : nullptr;
    if (!device || !device->GetDevice()) {
        line("[Direct3D]");
        line("デバイス: なし");
        return out;
    }
    SGfxAdapterInfo adapter;
    CGfxSystem::GetAdapterIdentifier(&adapter);
    const CD3DDeviceCaps& caps = device->GetCaps();
    const SGfxCaps& raw = caps.GetRaw();
    const SGfxPresentParams& params = device->GetDevice()->GetPresentParams();
    line("[Direct3D]");
    line(FormatString("アダプタ: %s", adapter.description));
    line(FormatString("ドライバ: %s", adapter.driver));
    line(FormatString("デバイスの種類: %s", DeviceTypeName(device->GetDeviceType())));
    line(FormatString("バックバッファ: %u x %u (%s)", params.backBufferWidth, params.backBufferHeight,
                      params.windowed ? "ウィンドウ" : "フルスクリーン"));
    line(FormatString("最大テクスチャサイズ: %u x %u", raw.maxTextureWidth, raw.maxTextureHeight));
    line(FormatString("使用するテクスチャサイズの上限: %u x %u", caps.GetMaxTextureWidth(), caps.GetMaxTextureHeight()));
    line(FormatString("テクスチャサイズ: %s%s", raw.texturePow2 ? "2のべき乗のみ" : "任意", raw.squareOnly ? " (正方形のみ)" : ""));
    line(FormatString("同時テクスチャ数: %u", raw.maxSimultaneousTextures));
    line(FormatString("ピクセルシェーダ: %u.%u", (raw.pixelShaderVersion >> 8) & 0xFF, raw.pixelShaderVersion & 0xFF));
    line(FormatString("テクスチャメモリ: %u MB", device->GetDevice()->GetAvailableTextureMem() >> 20));
    return out;
}

bool WriteSystemInfo(const std::string& path, CScreenRenderer* renderer) {
    std::string text = BuildSystemInfo(renderer);
    CFile file;
    if (!file.Create(path, 1)) {
        return false;
    }
    if (file.Write(text.data(), text.size(), 1) != 1) {
        DebugPrintf("WriteSystemInfo() 書き込みに失敗[%s]", path.c_str());
        return false;
    }
    return true;
}
