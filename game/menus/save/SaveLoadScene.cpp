#include "game/menus/save/SaveLoadScene.h"

#include <algorithm>
#include <optional>

#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"
#include "engine/d3d/Screen.h"
#include "engine/draw/SceneManager.h"
#include "engine/file/AtomicWrite.h"
#include "engine/file/File.h"
#include "game/core/GameMain.h"
#include "game/core/RunningGame.h"
#include "game/core/SceneRequest.h"
#include "game/core/Status.h"
#include "game/core/SystemData.h"
#include "game/menus/kit/MenuSounds.h"
#include "game/stage/scene/MainGameScene.h"
#include "platform/sys/FileOps.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kKeyEnter = 13;
constexpr uint32_t kKeyEsc = 27;
constexpr int32_t kMoneyMax = 9999999;

// Moves a slot's picture to the name a replacement is written under
// (GetAtomicTempPath), before the slot's record is replaced: the native path it was
// moved from, or "" when there was none.
std::string _SetPictureAside(const std::string& path) {
    const std::string native = ResolveDiskPath(path);
    SPlatformFileStamp stamp;
    if (native.empty() || !PlatformStatFile(native, &stamp) || stamp.isFolder) return std::string();
    if (PlatformReplaceFile(native, GetAtomicTempPath(native))) return native;
    // It cannot come back for a failed save then, but it must not stand beside a new one.
    if (!PlatformRemoveFile(native)) {
        DebugPrintf("CSaveLoadScene::SaveToSlot() 古いサムネイルを削除できません[%s]", path.c_str());
    }
    return std::string();
}

uint32_t AlphaColour(uint32_t alpha) { return alpha << 24 | 0x00FFFFFFu; }

CMatrix4 Slide(int32_t dx) {
    CMatrix4 m;
    MatrixTranslation(&m, static_cast<float>(dx), 0.0f, 0.0f);
    return m;
}

void Feed(CButton& button, bool pointer, SPoint at, bool decide) {
    if (pointer) {
        button.Update(at.x, at.y, decide);
    } else {
        button.Update(-1, -1, false);
    }
    button.Step();
}

}  // namespace

CSaveLoadScene::CSaveLoadScene(CGameMain& game, uint8_t isLoad, uint8_t isClearData)
    : m_Game(game), m_IsLoad(isLoad), m_IsClearData(isClearData) {}

CSaveLoadScene::~CSaveLoadScene() {
    if (m_UsesWide) m_Game.EndWideBackground();
}

// ---- slot files ----

void CSaveLoadScene::ReadSlot(int s) {
    CSaveData& slot = m_Slots[static_cast<size_t>(s)];
    const std::string path = CSaveData::SlotPath(s + 1);
    // A slot never saved is an ordinary empty slot, not worth a log line; anything else
    // in its place (a folder, a damaged file) is read, and logged, like the other saves.
    if (ResolveDiskPath(path).empty()) {
        slot.Reset();
        return;
    }
    slot.Load(path);
}

bool CSaveLoadScene::WriteSlot(int s) {
    const std::string path = CSaveData::SlotPath(s + 1);
    if (!m_Slots[static_cast<size_t>(s)].SaveMarked(path)) {
        DebugPrintf("CSaveLoadScene::WriteSlot() セーブファイルを書き込めません[%s]", path.c_str());
        return false;
    }
    return true;
}

// ---- scene ----

void CSaveLoadScene::Load() {
    for (int s = 0; s < kSlots; ++s) ReadSlot(s);
    m_Game.BeginWideBackground(true, true);
    m_UsesWide = true;
    m_Dimmer.Load();
    m_TitlePlane.LoadFile(m_IsLoad ? kLoadTitle : kSaveTitle);
    m_SubTitlePlane.LoadFile(kSubTitle);

    CMenuTabBar::SOptions tabs;
    tabs.highlight = false;
    tabs.lockOthers = m_IsClearData != 0;
    m_TabBar.Load(m_Game, m_IsLoad ? 1 : 0, tabs);

    m_PageSheet.LoadFile(kPageSheet);
    for (int i = 0; i < kPageButtons; ++i) {
        CImageButton& b = m_PageButtons[static_cast<size_t>(i)];
        b.SetupColumn(&m_PageSheet, kPageButtons, 5, i);
        b.SetPosition(kPageButtonX[static_cast<size_t>(i % 5)], i < 5 ? 12 : 40);
        b.SetDisplayOption(CButton::OPTION_HIGHLIGHT, false);
    }
    m_FrameSheet.LoadFile(kFrameSheet);
    for (int s = 0; s < kSlots; ++s) {
        CButton& f = m_FrameButtons[static_cast<size_t>(s)];
        f.Setup(&m_FrameSheet, 1, 3, {CButton::SCell{0, 0}, {0, 1}, {0, 2}, {0, 2}, {0, 2}});
        const SPoint at = kFrames[static_cast<size_t>(s % kPerPage)];
        f.SetPosition(at.x, at.y);
        const SRect r = f.GetRect();
        f.SetHitRect(SRect{r.left + kFrameInset, r.top + kFrameInset, r.right - kFrameInset, r.bottom - kFrameInset});
        f.SetDisplayOption(CButton::OPTION_HIGHLIGHT, false);
        f.SetDisplayOption(CButton::OPTION_HOVER_LOOK, false);
    }

    m_Card.Load();
    m_CommentSheet.LoadFile(kCommentSheet);
    for (int s = 0; s < kSlots; ++s) {
        CImageButton& b = m_CommentButtons[static_cast<size_t>(s)];
        b.SetupColumn(&m_CommentSheet, 1, 5, 0);
        const SPoint at = kCommentButtons[static_cast<size_t>(s % kPerPage)];
        b.SetPosition(at.x, at.y);
        b.SetDisplayOption(CButton::OPTION_HIGHLIGHT, false);
        b.SetDisplayOption(CButton::OPTION_HOVER_LOOK, false);

        CTextWindow& w = m_CommentWindows[static_cast<size_t>(s)];
        w.SetMaxLength(kCommentBytes);
        w.SetColour(kWhite);
        w.SetText(m_Slots[static_cast<size_t>(s)].m_Header);
        w.SetPosition(kOffScreen.x, kOffScreen.y);
    }
    SetPageShown(std::clamp(m_Game.GetSystemData().m_LastSavedSlot / kPerPage, 0, kPages - 1));
}

void CSaveLoadScene::Update() {
    m_Game.StepWideBackground();
    if (m_LeaveCount != 0) return;
    if (m_ConfirmPanel.IsOpen() && !m_ConfirmPanel.IsMoving()) {
        const SPoint at = m_Game.GetMouse().GetPosition();
        m_ConfirmPanel.SetCursor(at.x, at.y, IsDecidePressed());
    } else {
        m_ConfirmPanel.SetCursor(-1, -1, false);
    }
    m_ConfirmPanel.Update();
    if (m_ConfirmPanel.IsOpen() && m_ConfirmPanel.GetButton(0).HasImage()) {
        _UpdateConfirm();
    } else {
        _UpdateBrowse();
    }
}

void CSaveLoadScene::_UpdateConfirm() {
    if (m_ConfirmPanel.HoverBegan(0) || m_ConfirmPanel.HoverBegan(1)) m_Game.PlayChannel1();
    const int s = static_cast<int>(m_ConfirmSlot);
    if (m_ConfirmPanel.BecameChecked(0)) {
        m_Game.PlayChannel0();
        m_ConfirmPanel.Close();
        _ForgetThumbnail(s);
        SaveToSlot(s);
        _DeselectSlots();
    } else if (m_ConfirmPanel.BecameChecked(1) || IsCancelPressed()) {
        m_Game.PlayChannel2();
        m_ConfirmPanel.Close();
        _DeselectSlots();
    }
}

void CSaveLoadScene::_UpdateBrowse() {
    const bool transition = IsTopSceneInTransition();
    // The edit that follows a save shows no sign on the screen: a left click that ends
    // it goes on to the tab bar and the page buttons, so that the player's first BACK
    // is not taken for the end of an edit never seen.  The slots never get that
    // click, and the cancel input and Enter only end the edit.
    const bool clickEndsEdit = m_IsEditing != 0 && m_Game.GetMouse().IsPressed(CMouse::kLeft);
    const bool pointer = (m_IsEditing == 0 || clickEndsEdit) && !transition;
    const SPoint at = m_Game.GetMouse().GetPosition();
    const bool decide = IsDecidePressed();
    // First, so that the comment is written before a tab leaves the screen.
    const bool ended = UpdateCommentEdit();
    if (m_TabBar.Update(m_Game, pointer) >= 0) {
        ++m_LeaveCount;
        return;
    }
    for (CImageButton& b : m_PageButtons) Feed(b, pointer, at, decide);

    if (ended && !clickEndsEdit) return;
    if (!ended) {
        UpdatePages();
        if (_SlotClicks()) return;
    }

    if (!transition) {
        for (int i = 0; i < kPageButtons; ++i) {
            if (!PlayButtonSounds(m_Game, m_PageButtons[static_cast<size_t>(i)])) continue;
            if (i == kBackButton) {
                _Leave();
                return;
            }
            ShowPage(i);
        }
    }
    // The cancel waits for the incoming transition like the buttons.
    if (!transition && !ended && m_IsEditing == 0 && IsCancelPressed()) {
        _Leave();
        m_Game.PlayChannel2();
    }
}

void CSaveLoadScene::_Leave() {
    ++m_LeaveCount;
    RequestReturnScene(CMenuTabBar::kTransition, CMenuTabBar::kFrames);
}

void CSaveLoadScene::Draw() {
    m_Game.DrawWideBackground();
    m_Dimmer.Draw();
    m_TitlePlane.Draw(0, 0, kWhite);
    m_SubTitlePlane.Draw(280, 0, kWhite);
    m_TabBar.Draw();
    for (CImageButton& b : m_PageButtons) b.DrawPlain(kWhite);
    DrawPages();
    m_ConfirmPanel.Draw();
}

void CSaveLoadScene::OnDeviceRestored() {
    m_Dimmer.Restore();
    m_TabBar.Restore();
    for (CImageButton& b : m_PageButtons) b.Restore();
    for (CButton& f : m_FrameButtons) f.Restore();
    for (CImageButton& b : m_CommentButtons) b.Restore();
    for (CTextWindow& w : m_CommentWindows) w.OnDeviceRestored();
    m_ConfirmPanel.OnDeviceRestored();
    m_Card.Restore();
}

// ---- pages ----

void CSaveLoadScene::_SelectPageButton(int p) {
    for (int i = 0; i < kPages; ++i) {
        if (i == p) {
            m_PageButtons[static_cast<size_t>(i)].SetChecked();
        } else {
            m_PageButtons[static_cast<size_t>(i)].SetUnchecked();
        }
    }
}

void CSaveLoadScene::ShowPage(int p) {
    if (p < 0 || p >= kPages) return;
    _SelectPageButton(p);
    for (int q = 0; q < kPages; ++q) {
        int32_t& state = m_PageStates[static_cast<size_t>(q)];
        if (q != p && (state == PAGE_SLIDING_IN || state == PAGE_SHOWN)) {
            state = PAGE_SLIDING_OUT;
            m_PageTweens[static_cast<size_t>(q)].Set(0, -kScreenWidth, kSlideSteps);
        }
    }
    int32_t& state = m_PageStates[static_cast<size_t>(p)];
    if (state == PAGE_SLIDING_IN || state == PAGE_SHOWN) return;
    state = PAGE_SLIDING_IN;
    m_PageTweens[static_cast<size_t>(p)].Set(kScreenWidth, 0, kSlideSteps);
    _ForgetThumbnails(p);
}

void CSaveLoadScene::SetPageShown(int p) {
    if (p < 0 || p >= kPages) return;
    _SelectPageButton(p);
    for (int i = 0; i < kPages; ++i) {
        if (i != p) HidePage(i);
    }
    if (m_PageStates[static_cast<size_t>(p)] == PAGE_HIDDEN) _ForgetThumbnails(p);
    m_PageStates[static_cast<size_t>(p)] = PAGE_SHOWN;
}

void CSaveLoadScene::HidePage(int p) {
    int32_t& state = m_PageStates[static_cast<size_t>(p)];
    if (state == PAGE_HIDDEN) return;
    state = PAGE_HIDDEN;
    for (int k = 0; k < kPerPage; ++k) {
        m_CommentWindows[static_cast<size_t>(p * kPerPage + k)].SetPosition(kOffScreen.x, kOffScreen.y);
    }
}

void CSaveLoadScene::_PlaceWindows(int p, int32_t dx) {
    for (int k = 0; k < kPerPage; ++k) {
        const SPoint at = kCommentWindows[static_cast<size_t>(k)];
        m_CommentWindows[static_cast<size_t>(p * kPerPage + k)].SetPosition(at.x + dx, at.y);
    }
}

void CSaveLoadScene::UpdatePages() {
    const SPoint at = m_Game.GetMouse().GetPosition();
    const bool decide = IsDecidePressed();
    const bool held = m_IsEditing != 0 || IsTopSceneInTransition();
    for (int p = 0; p < kPages; ++p) {
        const int32_t state = m_PageStates[static_cast<size_t>(p)];
        for (int k = 0; k < kPerPage; ++k) {
            const int s = p * kPerPage + k;
            const bool shown = state == PAGE_SHOWN && !held;
            Feed(m_FrameButtons[static_cast<size_t>(s)], shown && _FrameLive(s), at, decide);
            Feed(m_CommentButtons[static_cast<size_t>(s)], shown && _CommentLive(s), at, decide);
        }
        if (state == PAGE_SHOWN) {
            _PlaceWindows(p, 0);
        } else if (state == PAGE_SLIDING_IN || state == PAGE_SLIDING_OUT) {
            CCounterAccel& tween = m_PageTweens[static_cast<size_t>(p)];
            tween.Next();
            _PlaceWindows(p, tween.GetValue());
            if (tween.IsAtEnd()) {
                if (state == PAGE_SLIDING_IN) {
                    SetPageShown(p);
                } else {
                    HidePage(p);
                }
            }
        }
    }
}

// ---- slots ----

bool CSaveLoadScene::_FrameLive(int s) const {
    const CSaveData& slot = m_Slots[static_cast<size_t>(s)];
    if (!m_IsLoad) return true;
    return slot.m_Used != 0 && (!m_IsClearData || slot.m_ClearData != 0);
}

bool CSaveLoadScene::_CommentLive(int s) const {
    const CSaveData& slot = m_Slots[static_cast<size_t>(s)];
    // The clear-data save writes over ordinary records too, so their comments stay
    // editable there; only the clear-data load keeps to clear-data records.
    return slot.m_Used != 0 && (!(m_IsLoad && m_IsClearData) || slot.m_ClearData != 0);
}

bool CSaveLoadScene::_SlotClicks() {
    for (int s = 0; s < kSlots; ++s) {
        if (PlayButtonSounds(m_Game, m_CommentButtons[static_cast<size_t>(s)])) {
            BeginCommentEdit(s);
            return true;
        }
    }
    for (int s = 0; s < kSlots; ++s) {
        if (PlayButtonSounds(m_Game, m_FrameButtons[static_cast<size_t>(s)])) {
            _ChooseSlot(s);
            return true;
        }
    }
    return false;
}

void CSaveLoadScene::_ChooseSlot(int s) {
    if (m_IsLoad) {
        _Load(s);
        return;
    }
    if (m_Slots[static_cast<size_t>(s)].m_Used != 0 && m_Game.GetSystemData().m_OverwriteConfirm != 0) {
        m_ConfirmSlot = static_cast<uint32_t>(s);
        m_ConfirmPanel.SetupPanelButtons(kConfirmPanel);
        m_ConfirmPanel.Open();
        return;
    }
    _ForgetThumbnail(s);
    if (SaveToSlot(s)) {
        BeginCommentEdit(s);
    } else {
        _DeselectSlots();
    }
}

void CSaveLoadScene::_Load(int s) {
    if (CMainGameScene* stage = GetKeptStage()) {
        for (int32_t g = 0; g < 3; ++g) stage->StopSoundGroup(g, kLoadFadeMs);
    }
    m_Game.GetSaveData().Assign(m_Slots[static_cast<size_t>(s)]);
    RequestGotoScene(kLoadRelayScene, 1, 30);
    // The load never comes back to the screen that called this one.
    m_Game.GetSceneManager().ClearReturnStack();
    ++m_LeaveCount;
}

bool CSaveLoadScene::SaveToSlot(int s) {
    CSaveData& slot = m_Slots[static_cast<size_t>(s)];
    const std::string comment = slot.m_Header;
    CSaveData& current = m_Game.GetSaveData();
    // The slot takes the game on the screen, the viewer's or the script tool's too; the
    // current record of such a game is put back afterwards, as a slot save found it
    // (the automatic save at exit writes the record the game object kept aside at
    // start).
    std::optional<CSaveData> before;
    if (!m_Game.IsPlayersGameRunning()) before.emplace().Assign(current);
    m_Game.WriteCurrentSave();
    if (!m_IsClearData) {
        slot.Assign(current);
        slot.m_ClearData = 0;
    } else {
        // A fresh game that carries only the money and the main-rank value over.
        const CStatus& from = current.GetGameState().GetStatus();
        slot.Reset();
        slot.m_Used = 1;
        CStatus& to = slot.GetGameState().GetStatus();
        const int64_t money = static_cast<int64_t>(to.GetParam(104, 0)) + from.GetParam(104, 0);
        to.SetParam(104, 0, static_cast<int32_t>(std::clamp<int64_t>(money, 0, kMoneyMax)));
        to.SetParam(104, 4, from.GetParam(104, 4));
        slot.m_CarryMark = 1;
        slot.m_ClearData = 1;
    }
    if (before) current.Assign(*before);
    slot.m_Header = comment;
    const std::string path = CSaveData::SlotPath(s + 1);
    // The record and its picture cannot be replaced in one step.  The old picture steps
    // aside first, so that a kill before the new one is in place leaves the slot
    // without a picture, never beside another game's.
    const std::string picture = _SetPictureAside(CSlotCard::ThumbnailPath(s));
    if (!slot.SaveWithTime(path)) {
        // The write is atomic: the file still holds the previous save, and so does the card.
        DebugPrintf("CSaveLoadScene::SaveToSlot() セーブファイルを書き込めません[%s]", path.c_str());
        if (!picture.empty()) PlatformReplaceFile(GetAtomicTempPath(picture), picture);
        ReadSlot(s);
        m_CommentWindows[static_cast<size_t>(s)].SetText(slot.m_Header);
        _ForgetThumbnail(s);
        m_Game.PlayChannel2();
        return false;
    }
    _WriteThumbnail(s);
    // The old game's picture, set aside, never comes back beside the new save (the new
    // one, when written, took its name over already).
    if (!picture.empty() && !PlatformRemoveFile(GetAtomicTempPath(picture))) {
        DebugPrintf("CSaveLoadScene::SaveToSlot() 古いサムネイルを削除できません[%s]", picture.c_str());
    }
    _ForgetThumbnail(s);
    m_Game.GetSystemData().m_LastSavedSlot = s;
    return true;
}

void CSaveLoadScene::_WriteThumbnail(int s) {
    const std::string path = CSlotCard::ThumbnailPath(s);
    if (m_IsClearData) {
        CImagePlane picture;
        if (picture.LoadFile(kClearDataPicture)) picture.SaveBitmap(path);
    } else if (m_Game.GetScreen().UsesDirect3D()) {
        m_Game.RenderGameToTexture(path);
    }
}

void CSaveLoadScene::BeginCommentEdit(int s) {
    if (m_IsEditing != 0) return;
    m_IsEditing = 1;
    m_WasBusy = 0;
    m_EditSlot = static_cast<uint32_t>(s);
    _SelectSlot(s);
    m_CommentWindows[static_cast<size_t>(s)].HandleInput();
}

bool CSaveLoadScene::UpdateCommentEdit() {
    if (m_IsEditing == 0) return false;
    CTextWindow& window = m_CommentWindows[m_EditSlot];
    const CKeyboard& keys = m_Game.GetKeyboard();
    const CMouse& mouse = m_Game.GetMouse();
    const bool busy = window.IsOpen();
    // Space types a blank; the Enter that confirms a composition must not end the edit.
    const bool end = keys.IsPressed(kKeyEsc) || mouse.IsPressed(CMouse::kLeft) || mouse.IsPressed(CMouse::kRight) ||
                     (keys.IsPressed(kKeyEnter) && !busy && m_WasBusy == 0);
    if (end) {
        EndCommentEdit();
        return true;
    }
    m_WasBusy = busy ? 1 : 0;
    window.Update();
    return false;
}

void CSaveLoadScene::EndCommentEdit() {
    m_IsEditing = 0;
    m_WasBusy = 0;
    const int s = static_cast<int>(m_EditSlot);
    CTextWindow& window = m_CommentWindows[m_EditSlot];
    window.Reset();
    m_Slots[m_EditSlot].m_Header = window.GetText();
    if (!WriteSlot(s)) {
        ReadSlot(s);
        window.SetText(m_Slots[m_EditSlot].m_Header);
        m_Game.PlayChannel2();
    }
    _DeselectSlots();
}

void CSaveLoadScene::_SelectSlot(int s) {
    for (int i = 0; i < kSlots; ++i) {
        if (i == s) {
            m_FrameButtons[static_cast<size_t>(i)].SetChecked();
            m_CommentButtons[static_cast<size_t>(i)].SetChecked();
        } else {
            m_FrameButtons[static_cast<size_t>(i)].SetUnchecked();
            m_CommentButtons[static_cast<size_t>(i)].SetUnchecked();
        }
    }
}

void CSaveLoadScene::_DeselectSlots() { _SelectSlot(-1); }

// ---- thumbnails ----

void CSaveLoadScene::_ForgetThumbnails(int p) {
    for (int k = 0; k < kPerPage; ++k) _ForgetThumbnail(p * kPerPage + k);
}

void CSaveLoadScene::_ForgetThumbnail(int s) {
    m_ThumbPlanes[static_cast<size_t>(s)].Release();
    m_ThumbTried[static_cast<size_t>(s)] = false;
}

CImagePlane* CSaveLoadScene::_Thumbnail(int s) {
    CImagePlane& plane = m_ThumbPlanes[static_cast<size_t>(s)];
    if (!m_ThumbTried[static_cast<size_t>(s)]) {
        // Read once: a missing or broken file is not asked for again every frame.
        m_ThumbTried[static_cast<size_t>(s)] = true;
        const std::string path = CSlotCard::ThumbnailPath(s);
        // A missing picture is ordinary (a save without Direct3D); a folder in its
        // place is read, and logged, like a damaged file.
        if (!ResolveDiskPath(path).empty()) {
            ++m_ThumbReads[static_cast<size_t>(s)];
            plane.LoadFile(path);
        }
    }
    return &plane;
}

uint32_t CSaveLoadScene::_SlotColour(int s) const {
    const CSaveData& slot = m_Slots[static_cast<size_t>(s)];
    if (m_IsLoad && (slot.m_Used == 0 || (m_IsClearData && slot.m_ClearData == 0))) return AlphaColour(128);
    return kWhite;
}

void CSaveLoadScene::DrawPages() {
    const int32_t lastSaved = m_Game.GetSystemData().m_LastSavedSlot;
    for (int p = 0; p < kPages; ++p) {
        const int32_t state = m_PageStates[static_cast<size_t>(p)];
        if (state == PAGE_HIDDEN) continue;
        const int32_t dx = state == PAGE_SHOWN ? 0 : m_PageTweens[static_cast<size_t>(p)].GetValue();
        const CMatrix4 slide = Slide(dx);
        for (int k = 0; k < kPerPage; ++k) {
            const int s = p * kPerPage + k;
            const CSaveData& slot = m_Slots[static_cast<size_t>(s)];
            const uint32_t colour = _SlotColour(s);
            const bool used = slot.m_Used != 0;
            m_Card.DrawPicture(k, used, used ? _Thumbnail(s) : nullptr, dx, colour);
            m_FrameButtons[static_cast<size_t>(s)].Draw(colour, slide);
            m_CommentButtons[static_cast<size_t>(s)].Draw(colour, slide);
            m_CommentWindows[static_cast<size_t>(s)].Draw();
            m_Card.DrawDetails(s, slot, s == lastSaved, dx, colour);
        }
    }
}
