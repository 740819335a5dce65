#include "game/menus/status/GuideScene.h"

#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/menus/kit/MenuSounds.h"

namespace {
constexpr uint32_t kWhite = 0xFFFFFFFFu;

// Normal, pointer over, then the checked look for checked, checked under the pointer
// and locked.
std::array<CButton::SCell, CButton::kLookCount> ThreeLooks(int32_t column) {
    return {CButton::SCell{column, 0}, CButton::SCell{column, 1}, CButton::SCell{column, 2},
            CButton::SCell{column, 2}, CButton::SCell{column, 2}};
}
}  // namespace

void CU000Scene::ShowTopic(int32_t topic, int32_t page) {
    if (topic != m_Topic && topic >= 0 && topic < kTopicCount) {
        m_PageSheet.LoadFile(kPageSheets[topic], 0, 1);
        m_PageCount = kPageCounts[topic];
        m_PageCells.Set(&m_PageSheet, m_PageCount, 1);
        ++m_TopicLoads;
    }
    m_Topic = topic;
    m_Page = page;
}

void CU000Scene::Load() {
    m_Topic = -1;
    m_Page = 0;
    m_PageCount = 0;
    m_Background.LoadFile(kBackground);
    m_ButtonSheet.LoadFile(kButtonSheet);
    m_ReturnButton.SetupColumn(&m_ButtonSheet, 5, 5, 4);
    m_ReturnButton.SetMomentary(true);
    m_ReturnButton.SetPosition(kReturnPlace.x, kReturnPlace.y);
    m_TopicSheet.LoadFile(kTopicSheet, 0, 1);
    for (int i = 0; i < kTopicButtons; ++i) {
        CButton& b = m_TopicButtons[static_cast<size_t>(i)];
        b.Setup(&m_TopicSheet, 5, 3, ThreeLooks(i));
        b.SetPosition(kTopicPlaces[static_cast<size_t>(i)].x, kTopicPlaces[static_cast<size_t>(i)].y);
        SRect hit = b.GetHitRect();
        hit.top += kTopicInset;
        hit.bottom -= kTopicInset;
        b.SetHitRect(hit);
    }
    m_NumberSheet.LoadFile(kNumberSheet);
    for (CCellImage& cells : m_NumberCells) cells.Set(&m_NumberSheet, kNumberCells, 1);
    m_ArrowSheet.LoadFile(kArrowSheet);
    for (int j = 0; j < 2; ++j) {
        CImageButton& b = m_Arrows[static_cast<size_t>(j)];
        b.Setup(&m_ArrowSheet, 2, 3, ThreeLooks(j));
        b.SetMomentary(true);
        b.SetPosition(kArrowPlaces[static_cast<size_t>(j)].x, kArrowPlaces[static_cast<size_t>(j)].y);
    }
    ShowTopic(0, 0);
}

void CU000Scene::Update() {
    auto stepAll = [this] {
        m_ReturnButton.Step();
        for (CButton& b : m_TopicButtons) b.Step();
        for (CImageButton& b : m_Arrows) b.Step();
    };
    if (IsTopSceneInTransition()) {
        stepAll();
        return;
    }
    if (IsCancelPressed()) {
        m_Game.PlayChannel2();
        RequestReturnScene(1, 15);
        return;
    }
    const SPoint at = m_Game.GetMouse().GetPosition();
    const bool decide = IsDecidePressed();
    m_ReturnButton.Update(at.x, at.y, decide);
    for (CButton& b : m_TopicButtons) b.Update(at.x, at.y, decide);
    // An arrow without a page behind it takes no pointer.
    const bool live[2] = {_HasPrevious(), _HasNext()};
    for (int j = 0; j < 2; ++j) {
        if (live[j]) {
            m_Arrows[static_cast<size_t>(j)].Update(at.x, at.y, decide);
        } else {
            m_Arrows[static_cast<size_t>(j)].Update(-1, -1, false);
        }
    }

    if (PlayButtonSounds(m_Game, m_ReturnButton)) {
        RequestReturnScene(1, 15);
        return;
    }
    for (int i = 0; i < kTopicButtons; ++i) {
        if (!PlayButtonSounds(m_Game, m_TopicButtons[static_cast<size_t>(i)])) continue;
        ShowTopic(i + 1, 0);
        for (int k = 0; k < kTopicButtons; ++k) {
            if (k != i) m_TopicButtons[static_cast<size_t>(k)].SetUnchecked();
        }
    }
    for (int j = 0; j < 2; ++j) {
        if (PlayButtonSounds(m_Game, m_Arrows[static_cast<size_t>(j)])) {
            ShowTopic(m_Topic, j == 0 ? m_Page - 1 : m_Page + 1);
        }
    }
    stepAll();
}

void CU000Scene::Draw() {
    m_Background.Draw(0, 0, kWhite);
    m_PageCells.DrawCell(m_Page, 0, kPagePlace.x, kPagePlace.y, kWhite);
    m_ReturnButton.DrawPlain(kWhite);
    for (CButton& b : m_TopicButtons) b.DrawPlain(kWhite);
    if (m_PageCount > 1) {
        m_NumberCells[0].DrawCell(m_Page + 1, 0, 592, 460, kWhite);
        m_NumberCells[1].DrawCell(kSeparator, 0, 616, 472, kWhite);
        m_NumberCells[2].DrawCell(m_PageCount, 0, 640, 476, kWhite);
        if (m_Page != 0) m_Arrows[0].DrawPlain(kWhite);
        if (m_Page < m_PageCount - 1) m_Arrows[1].DrawPlain(kWhite);
    }
}

void CU000Scene::OnDeviceRestored() {
    m_ReturnButton.Restore();
    for (CButton& b : m_TopicButtons) b.Restore();
    for (CImageButton& b : m_Arrows) b.Restore();
}
