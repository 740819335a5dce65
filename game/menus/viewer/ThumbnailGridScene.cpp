#include "game/menus/viewer/ThumbnailGridScene.h"

#include <algorithm>

#include "engine/base/Geometry.h"
#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/menus/kit/MenuSounds.h"

namespace {

constexpr int32_t kNumberX[CThumbnailGridScene::kColumns] = {73, 193, 314, 434, 553, 674};
constexpr int32_t kNumberY[4] = {93, 214, 333, 454};
constexpr int32_t kLastColumnPreviewX = 536;

}  // namespace

SPoint CThumbnailGridScene::FrameAt(int slot) { return SPoint{42 + 120 * (slot % kColumns), 88 + 120 * (slot / kColumns)}; }

SPoint CThumbnailGridScene::PreviewAt(int slot) {
    const SPoint frame = FrameAt(slot);
    // The last column's preview would leave the screen: it stands left of the slot.
    return SPoint{slot % kColumns == kColumns - 1 ? kLastColumnPreviewX : frame.x + 102, frame.y};
}

SPoint CThumbnailGridScene::NumberAt(int slot) { return SPoint{kNumberX[slot % kColumns], kNumberY[slot / kColumns]}; }

SPoint CThumbnailGridScene::ButtonAt(int button) { return SPoint{424 + 72 * (button % 5), button < 5 ? 12 : 40}; }

CThumbnailGridScene::CThumbnailGridScene(CGameMain& game, const char* title, int32_t ownTab, bool tabHighlight)
    : m_Game(game), m_TitleFile(title), m_OwnTab(ownTab), m_TabHighlight(tabHighlight) {}

CThumbnailGridScene::~CThumbnailGridScene() {
    if (m_UsesWide) m_Game.EndWideBackground();
}

void CThumbnailGridScene::Load() {
    m_Game.BeginWideBackground(true, true);
    m_UsesWide = true;
    m_Dimmer.Load();
    m_Title.LoadFile(m_TitleFile);
    m_SubTitle.LoadFile(kSubTitle);
    CMenuTabBar::SOptions tabs;
    tabs.highlight = m_TabHighlight;
    m_Tabs.Load(m_Game, m_OwnTab, tabs);
    m_ButtonSheet.LoadFile(kButtonSheet);
    for (int i = 0; i < kButtonCount; ++i) {
        CImageButton& b = m_Buttons[static_cast<size_t>(i)];
        b.SetupColumn(&m_ButtonSheet, kButtonCount, 5, i);
        const SPoint at = ButtonAt(i);
        b.SetPosition(at.x, at.y);
    }
    m_FrameSheet.LoadFile(kFrame);
    m_DigitSheet.LoadFile(kDigits);
    m_DigitCells.Set(&m_DigitSheet, 10, 1);
    m_Alpha.fill(kAlphaLow);
    SetPage(0);
}

void CThumbnailGridScene::_SelectButton(int first, int count, int on) {
    for (int i = first; i < first + count; ++i) {
        CImageButton& b = m_Buttons[static_cast<size_t>(i)];
        if (i == on) {
            b.SetChecked();
        } else {
            b.SetUnchecked();
        }
    }
}

void CThumbnailGridScene::SetPage(int32_t page) {
    m_Page = page;
    _BuildPage(page);
    SetSubPage(0);
    _SelectButton(0, kPages, page);
    _ReleasePreview();
}

void CThumbnailGridScene::SetSubPage(int32_t sub) {
    m_SubPage = sub;
    _SelectButton(kFirstSubPageButton, kSubPages, kFirstSubPageButton + sub);
    m_Hovered = -1;
    m_Alpha.fill(kAlphaLow);
    _ReleasePreview();
}

void CThumbnailGridScene::Update() {
    m_Game.StepWideBackground();
    m_Tabs.Update(m_Game);
    const SPoint at = m_Game.GetMouse().GetPosition();
    // A click during a transition would switch a page button on while its answer,
    // handled only after the transition, is skipped: the button would then show a page
    // that is not shown and, being on, refuse the click that would show it.
    const bool transition = IsTopSceneInTransition();
    const bool decide = !transition && IsDecidePressed();
    for (int i = 0; i < kButtonCount; ++i) {
        CImageButton& b = m_Buttons[static_cast<size_t>(i)];
        const int k = i - kFirstSubPageButton;
        if (k >= 0 && k < kSubPages && !_HasSubPage(k)) {
            b.Update(-1, -1, false);
        } else {
            b.Update(at.x, at.y, decide);
        }
        b.Step();
    }
    if (transition) return;
    _UpdateGrid();
    _UpdateButtons();
    if (IsCancelPressed()) {
        RequestReturnScene(1, 15);
        m_Game.PlayChannel2();
    }
}

void CThumbnailGridScene::_UpdateGrid() {
    const SPoint at = m_Game.GetMouse().GetPosition();
    int32_t frameW = 0;
    int32_t frameH = 0;
    m_FrameSheet.GetSize(&frameW, &frameH);
    bool held = false;
    for (int i = 0; i < kSlots; ++i) {
        const int32_t index = i + kSlots * m_SubPage;
        if (index >= _EntryCount() || !_IsUnlocked(index)) continue;
        int32_t& alpha = m_Alpha[static_cast<size_t>(i)];
        const SPoint frame = FrameAt(i);
        if (!IsPointInRect(SRect{frame.x, frame.y, frame.x + frameW, frame.y + frameH}, at)) {
            alpha = std::max(kAlphaLow, alpha - kAlphaStep);
            continue;
        }
        held = true;
        if (i != m_Hovered) {
            m_Game.PlayChannel1();
            m_Preview.LoadFile(_PreviewPath(index));
        }
        m_Hovered = i;
        alpha = std::min(kAlphaHigh, alpha + kAlphaStep);
        if (IsDecidePressed()) {
            m_Game.PlayChannel0();
            _Choose(index);
            m_Hovered = -1;
            _ReleasePreview();
        }
    }
    if (!held) {
        m_Hovered = -1;
        _ReleasePreview();
    }
}

void CThumbnailGridScene::_UpdateButtons() {
    for (int i = 0; i < kButtonCount; ++i) {
        if (!PlayButtonSounds(m_Game, m_Buttons[static_cast<size_t>(i)])) continue;
        if (i < kPages) {
            SetPage(i);
        } else if (i < kBackButton) {
            SetSubPage(i - kFirstSubPageButton);
        } else {
            RequestReturnScene(1, 15);
        }
    }
}

void CThumbnailGridScene::Draw() {
    m_Game.DrawWideBackground();
    m_Dimmer.Draw();
    m_Title.Draw(kTitleAt.x, kTitleAt.y);
    m_SubTitle.Draw(kSubTitleAt.x, kSubTitleAt.y);
    m_Tabs.Draw();
    for (int i = 0; i < kButtonCount; ++i) {
        const int k = i - kFirstSubPageButton;
        if (k >= 0 && k < kSubPages && !_HasSubPage(k)) continue;
        m_Buttons[static_cast<size_t>(i)].DrawPlain();
    }
    for (int i = 0; i < kSlots; ++i) {
        const int32_t index = i + kSlots * m_SubPage;
        if (index >= _EntryCount()) continue;
        const uint32_t colour = static_cast<uint32_t>(m_Alpha[static_cast<size_t>(i)]) << 24 | 0x00FFFFFFu;
        const SPoint frame = FrameAt(i);
        m_FrameSheet.Draw(frame.x, frame.y, colour);
        const int32_t n = index + 1;
        const SPoint tens = NumberAt(i);
        DrawCell(m_DigitCells, n / 10 % 10, 0, tens.x, tens.y, colour);
        DrawCell(m_DigitCells, n % 10, 0, tens.x + 13, tens.y + 5, colour);
        if (_IsUnlocked(index)) _DrawEntry(i, index, colour);
    }
    if (m_Hovered != -1) {
        const SPoint at = PreviewAt(m_Hovered);
        m_Preview.Draw(at.x, at.y);
    }
}

void CThumbnailGridScene::OnDeviceRestored() {
    m_Dimmer.Restore();
    m_Tabs.Restore();
    for (CImageButton& b : m_Buttons) b.Restore();
}
