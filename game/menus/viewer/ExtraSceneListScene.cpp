#include "game/menus/viewer/ExtraSceneListScene.h"

#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/core/SuperScene.h"
#include "game/menus/viewer/CGViewingList.h"

namespace {

// The first unlocked group after `from`, wrapping round (`from` itself last); -1 when
// none is unlocked.
int32_t _NextUnlocked(const std::vector<CCGViewRecord>& list, int32_t from) {
    const int32_t n = static_cast<int32_t>(list.size());
    for (int32_t step = 1; step <= n; ++step) {
        const int32_t i = ((from + step) % n + n) % n;
        if (list[static_cast<size_t>(i)].unlocked != 0) return i;
    }
    return -1;
}

}  // namespace

void CExtraSceneListScene::Load() {
    const std::vector<CCGViewRecord>& list = CCGViewingList::Get();
    const int32_t first = _NextUnlocked(list, -1);
    if (first < 0) return;
    m_Current = first;
    ShowRecord(first);
}

void CExtraSceneListScene::ShowRecord(int32_t index) {
    Clear();
    const std::vector<CCGViewRecord>& list = CCGViewingList::Get();
    if (index < 0 || index >= static_cast<int32_t>(list.size())) return;
    const CCGViewRecord& record = list[static_cast<size_t>(index)];
    m_BasePlane.LoadFile(record.picture);
    for (const std::string& path : record.overlays) {
        auto plane = std::make_unique<CImagePlane>();
        if (!plane->LoadFile(path)) {
            // Transparent black: the picture below shows through.
            plane->Create(kEmptyWidth, kEmptyHeight, true);
        }
        const SSuperSceneEntry at = GetSuperSceneEntry(path);
        m_OverlayPlanes.push_back(std::move(plane));
        m_OverlayPositions.push_back(SPoint{at.x, at.y});
    }
}

void CExtraSceneListScene::Clear() {
    m_BasePlane.Release();
    m_OverlayPlanes.clear();
    m_OverlayPositions.clear();
}

void CExtraSceneListScene::Update() {
    if (IsDecidePressed()) {
        const int32_t next = _NextUnlocked(CCGViewingList::Get(), m_Current);
        if (next >= 0) {
            m_Current = next;
            ShowRecord(m_Current);
        }
    } else if (IsCancelPressed()) {
        m_Game.PlayChannel2();
        RequestReturnScene(1, 10);
    }
}

void CExtraSceneListScene::Draw() {
    m_BasePlane.Draw(0, 0);
    for (size_t i = 0; i < m_OverlayPlanes.size(); ++i) {
        m_OverlayPlanes[i]->Draw(m_OverlayPositions[i].x, m_OverlayPositions[i].y);
    }
}
