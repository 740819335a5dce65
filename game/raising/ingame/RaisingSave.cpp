// The in-game scene's saves: the running game into a save record, back from one, and
// the 200 × 150 thumbnail.
#include <vector>

#include "engine/base/Log.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/Screen.h"
#include "engine/draw/RenderTarget.h"
#include "game/core/GameMain.h"
#include "game/core/SaveData.h"
#include "game/raising/event/EventTable.h"
#include "game/raising/ingame/RaisingScene.h"
#include "game/raising/ingame/SelectionScene.h"

void CRaisingScene::WriteSave(CSaveData& save) {
    save.GetGameState().Assign(m_State);
    save.GetStageSnapshot().Assign(m_Stage->SaveSnapshot());
    // Between modes (and after the end of play) there is no mode to keep words for.
    if (CModeState* mode = GetCurrentMode()) mode->SaveState(save.GetGameState());
}

void CRaisingScene::RestoreFromSave(const CSaveData& save) {
    const CGameState& saved = save.GetGameState();
    ResetAll();
    m_State.Assign(saved);
    m_Pending = m_State.m_EventActive != 0 ? FindEventRow(m_State.m_EventId) : nullptr;
    m_Slide.ClearValues();
    m_Manager->Reset();
    m_Manager->GoTo(m_State.m_ModeId);
    m_Manager->Transition(0, 0);
    m_Manager->EndTransition();
    m_Manager->RunQueue();
    if (CModeState* mode = GetCurrentMode()) mode->LoadState(saved);
    m_Stage->RestoreSnapshot(save.GetStageSnapshot());
    if (saved.m_SelectionFlag != 0) m_Selection->GetSelection().LoadSelectionPicture();
    // What the mode's Load changed is the save's again.
    m_State.Assign(saved);
    m_Hint.Reset();
}

namespace {

// The 800 × 600 picture of a render target as 32-bit pixels (0xAARRGGBB), or empty.
std::vector<uint32_t> ReadPixels(CD3DDevice& device, const CD3DTexture& texture) {
    CD3DSurface source;
    CD3DSurface copy;
    const uint32_t width = texture.GetWidth();
    const uint32_t height = texture.GetHeight();
    if (!texture.GetSurface(&source) || !copy.CreateImageSurface(&device, width, height) ||
        !device.CopyRects(source, nullptr, 0, copy, nullptr)) {
        return {};
    }
    SGfxLockedRect locked;
    if (!copy.Lock(&locked)) return {};
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (uint32_t y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(locked.bits) +
                                                            static_cast<size_t>(y) * static_cast<size_t>(locked.pitch));
        std::copy(row, row + width, pixels.begin() + static_cast<ptrdiff_t>(y) * width);
    }
    copy.Unlock();
    return pixels;
}

// The picture scaled down by whole blocks, each pixel the mean of its block.
bool WriteScaled(CD3DDevice& device, const std::vector<uint32_t>& pixels, uint32_t width, uint32_t height,
                 const std::string& path) {
    const uint32_t outW = CRaisingScene::kThumbWidth;
    const uint32_t outH = CRaisingScene::kThumbHeight;
    CD3DSurface out;
    SGfxLockedRect locked;
    if (!out.CreateImageSurface(&device, outW, outH) || !out.Lock(&locked)) return false;
    const uint32_t bw = width / outW;
    const uint32_t bh = height / outH;
    for (uint32_t y = 0; y < outH; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.bits) +
                                                static_cast<size_t>(y) * static_cast<size_t>(locked.pitch));
        for (uint32_t x = 0; x < outW; ++x) {
            uint32_t sum[3] = {};
            for (uint32_t j = 0; j < bh; ++j) {
                for (uint32_t i = 0; i < bw; ++i) {
                    const uint32_t p = pixels[static_cast<size_t>(y * bh + j) * width + x * bw + i];
                    sum[0] += (p >> 16) & 0xFF;
                    sum[1] += (p >> 8) & 0xFF;
                    sum[2] += p & 0xFF;
                }
            }
            const uint32_t n = bw * bh;
            row[x] = 0xFF000000u | ((sum[0] + n / 2) / n) << 16 | ((sum[1] + n / 2) / n) << 8 | (sum[2] + n / 2) / n;
        }
    }
    out.Unlock();
    return out.SaveBitmap(path);
}

}  // namespace

bool CRaisingScene::RenderToTexture(const std::string& path) {
    if (!m_Game.GetScreen().UsesDirect3D()) {
        DebugPrintf("CRaisingScene::RenderToTexture() Direct3Dで描画していないのでサムネールを作れません[%s]",
                    path.c_str());
        return false;
    }
    CD3DDevice* device = GetDrawDevice();
    if (device == nullptr || device->IsLost()) {
        DebugPrintf("CRaisingScene::RenderToTexture() デバイスがありません[%s]", path.c_str());
        return false;
    }
    CRenderTarget target;
    if (!target.Prepare(device)) return false;
    {
        CRenderTargetScope scope;
        if (!scope.Begin(device, target.GetTexture(), true, kBlack)) return false;
        CModeState* mode = m_State.m_SelectionFlag != 0 ? m_Selection.get() : GetCurrentMode();
        // After the end of play or between modes there is none to draw.
        if (mode != nullptr) mode->PrepareThumbnail();
        // The overlays by the flag the frame draws them by, so the picture shows what
        // the screen showed.
        if (m_Stage->IsSubFlag()) {
            m_Stage->GetEventPanel().Draw();
            m_Slide.Draw();
        }
    }
    const std::vector<uint32_t> pixels = ReadPixels(*device, target.GetTexture());
    if (pixels.empty() || !WriteScaled(*device, pixels, target.GetWidth(), target.GetHeight(), path)) {
        DebugPrintf("CRaisingScene::RenderToTexture() サムネールを書けません[%s]", path.c_str());
        return false;
    }
    return true;
}
