#include "game/menus/viewer/CGViewerScene.h"

#include "engine/base/StringUtil.h"
#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/menus/kit/DigitRun.h"
#include "game/menus/viewer/CGViewingList.h"

namespace {

constexpr int32_t kCountX[CThumbnailGridScene::kColumns] = {102, 222, 343, 463, 582, 703};
constexpr int32_t kCountY[4] = {91, 212, 331, 452};
// The glyphs do not stand in a row: each has its own step from the first.
constexpr SPoint kCountStep[5] = {{0, 0}, {10, 3}, {19, 2}, {29, 2}, {38, 5}};

}  // namespace

std::array<SPoint, 5> CCGViewerScene::CountAt(int slot) {
    std::array<SPoint, 5> out;
    for (size_t g = 0; g < out.size(); ++g) {
        out[g] = SPoint{kCountX[slot % kColumns] + kCountStep[g].x, kCountY[slot / kColumns] + kCountStep[g].y};
    }
    return out;
}

CCGViewerScene::CCGViewerScene(CGameMain& game) : CThumbnailGridScene(game, kTitle, 2, false) {}

CCGViewerScene::~CCGViewerScene() { ClearEntries(); }

void CCGViewerScene::Load() {
    m_CountSheet.LoadFile(kCountSheet);
    m_CountCells.Set(&m_CountSheet, 11, 1);
    CThumbnailGridScene::Load();
}

void CCGViewerScene::_BuildPage(int32_t page) {
    ClearEntries();
    std::vector<SCGViewEntry> read;
    LoadCGViewerPage(page, m_Game.GetSystemData(), &read);
    m_Entries = std::vector<CCGViewerEntry>(read.size());
    for (size_t e = 0; e < read.size(); ++e) {
        CCGViewerEntry& entry = m_Entries[e];
        entry.data = std::move(read[e]);
        for (const CCGViewRecord& cover : entry.data.records) {
            if (cover.unlocked == 0) continue;
            entry.thumbPlanes[0].LoadFile(MakeResourcePath(cover.picture, kThumbFolder, "bmp"));
            for (size_t j = 0; j < cover.overlays.size() && j + 1 < entry.thumbPlanes.size(); ++j) {
                entry.thumbPlanes[j + 1].LoadFile(MakeResourcePath(cover.overlays[j], kThumbFolder, "bmp"));
            }
            break;
        }
    }
}

void CCGViewerScene::_Choose(int32_t index) {
    CCGViewingList::Fill(m_Entries[static_cast<size_t>(index)].data.records);
    RequestCallSceneKeep(kFullView, 1, 15);
}

void CCGViewerScene::_DrawEntry(int slot, int32_t index, uint32_t colour) {
    CCGViewerEntry& entry = m_Entries[static_cast<size_t>(index)];
    const SPoint thumb{FrameAt(slot).x + 8, FrameAt(slot).y + 30};
    for (CImagePlane& plane : entry.thumbPlanes) plane.Draw(thumb.x, thumb.y, colour);
    const std::array<SPoint, 5> at = CountAt(slot);
    DrawDigitRun(m_CountCells, entry.data.unlockedCount, std::span<const SPoint>(at.data(), 2), colour);
    DrawCell(m_CountCells, kSlash, 0, at[2].x, at[2].y, colour);
    DrawDigitRun(m_CountCells, entry.data.recordCount, std::span<const SPoint>(at.data() + 3, 2), colour);
}
