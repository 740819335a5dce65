#include "game/raising/hint/HintWindow.h"

#include <algorithm>

#include "engine/base/Log.h"
#include "engine/base/Matrix.h"
#include "engine/base/Mouse.h"
#include "engine/file/File.h"
#include "engine/file/TextReader.h"
#include "game/core/GameMain.h"
#include "game/core/ReadHistory.h"
#include "game/core/SceneRequest.h"
#include "game/core/SystemData.h"
#include "game/raising/event/EventTable.h"
#include "game/stage/message/EventPanel.h"

namespace {
constexpr uint32_t kBackdropColour = 0x80000000u;
constexpr int32_t kScreenW = 800, kScreenH = 600;
constexpr int32_t kOptionX[4] = {176, 288, 400, 560};
constexpr int32_t kOptionY = 544;
constexpr int32_t kArrowPos[2][2] = {{717, 56}, {717, 480}};
constexpr int32_t kRowPictureX = 176, kRowPictureY = 56;
constexpr int32_t kRowY = 64, kRowStep = 80;
constexpr int32_t kSpeakerX = 128, kMarkX = 504, kRowButtonX = 608;
constexpr int32_t kTrackX = 720, kTrackY = 96;
constexpr int32_t kThumbX = 728, kThumbY = 104;

CGameMain* Game() { return GetGameMain(); }

int32_t Recall(int index) { return Game() ? Game()->GetSystemData().GetPersistent(index) : 0; }

void Remember(int index, int32_t value) {
    if (Game()) {
        Game()->GetSystemData().SetPersistent(index, value);
    }
}

void PlayChannel(int channel) {
    if (Game()) {
        Game()->PlayChannel(channel);
    }
}

bool Inside(int32_t x, int32_t y, int32_t left, int32_t top, int32_t w, int32_t h) {
    return x >= left && x < left + w && y >= top && y < top + h;
}

// Locks a button or unlocks it keeping its checked state (a momentary arrow keeps
// counting its release).
void SetLocked(CImageButton& button, bool locked) {
    if (locked) {
        button.Lock();
    } else if (button.IsLocked()) {
        if (button.IsChecked()) {
            button.SetChecked();
        } else {
            button.SetUnchecked();
        }
    }
}
}  // namespace

CHintWindow::CHintWindow() : m_Voice(Game() ? &Game()->GetDirectSound() : nullptr) {
    m_VoicesInstalled = AreHintVoicesInstalled();
}

CHintWindow::~CHintWindow() { ReleaseAll(); }

template <typename F>
void CHintWindow::_ForEachButton(F&& f) {
    for (CImageButton& b : m_TabButtons) f(b);
    for (CImageButton& b : m_OptionButtons) f(b);
    f(m_CloseButton);
    for (CImageButton& b : m_ArrowButtons) f(b);
    for (CImageButton& b : m_RowButtons) f(b);
}

// ---- pictures ----

void CHintWindow::LoadImages() {
    ReleaseAll();
    m_Backdrop.Create(16, 16);
    m_Backdrop.Fill(kBackdropColour);
    m_FramePicture.LoadFile("obj\\u000_003.bmp");
    m_SidePicture.LoadFile("obj\\u004_000.bmp");
    m_TabSheet.LoadFile("obj\\u000_009.bmp");
    m_OptionSheet.LoadFile("obj\\u000_010.bmp");
    m_CloseSheet.LoadFile("obj\\h002_001.bmp");
    m_ArrowSheet.LoadFile("obj\\u000_008.bmp");
    m_TrackPicture.LoadFile("obj\\u000_006.bmp");
    m_ThumbPicture.LoadFile("obj\\u000_007.bmp");
    m_MarkSheet.LoadFile("obj\\u000_004.bmp");
    m_ReadMark.LoadFile("obj\\u003_000.bmp");
    m_RowButtonSheet.LoadFile("obj\\u000_005.bmp");
    m_SpeakerSheet.LoadFile("obj\\u002_000.bmp");

    for (int i = 0; i < kHintTabCount; ++i) {
        CImageButton& b = m_TabButtons[static_cast<size_t>(i)];
        b.SetupColumn(&m_TabSheet, 6, 5, i);
        b.SetPosition(160 + 104 * i, 8);
    }
    for (int i = 0; i < 4; ++i) {
        CImageButton& b = m_OptionButtons[static_cast<size_t>(i)];
        b.SetReactWhenChecked(i == OPTION_UNSEEN_ONLY);
        b.SetMomentary(i == OPTION_GUIDE);
        b.SetupColumn(&m_OptionSheet, 4, 5, i);
        b.SetPosition(kOptionX[i], kOptionY);
    }
    m_CloseButton.SetMomentary(true);
    m_CloseButton.SetupColumn(&m_CloseSheet, 1, 5, 0);
    m_CloseButton.SetPosition(672, 544);
    for (int i = 0; i < 2; ++i) {
        CImageButton& b = m_ArrowButtons[static_cast<size_t>(i)];
        b.SetMomentary(true);
        b.SetupColumn(&m_ArrowSheet, 2, 5, i);
        b.SetPosition(kArrowPos[i][0], kArrowPos[i][1]);
    }
    for (int k = 0; k < kRows; ++k) {
        CImageButton& b = m_RowButtons[static_cast<size_t>(k)];
        b.SetMomentary(true);
        b.SetupColumn(&m_RowButtonSheet, 2, 5, 0);
        b.SetPosition(kRowButtonX, kRowY + kRowStep * k);
    }
    m_MarkCells.Set(&m_MarkSheet, 2, 1);
    m_SpeakerCells.Set(&m_SpeakerSheet, 4, 3);
}

void CHintWindow::ReleaseAll() {
    m_Voice.Unload();
    for (CImagePlane* p : {&m_Backdrop, &m_FramePicture, &m_SidePicture, &m_TabSheet, &m_OptionSheet, &m_CloseSheet,
                           &m_ArrowSheet, &m_TrackPicture, &m_ThumbPicture, &m_MarkSheet, &m_ReadMark,
                           &m_RowButtonSheet, &m_SpeakerSheet}) {
        p->Release();
    }
    for (CImagePlane& p : m_RowPictures) p.Release();
    m_MarkCells.Clear();
    m_SpeakerCells.Clear();
    _ForEachButton([](CImageButton& b) { b.Reset(); });
    m_Dragging = false;
    ClearEntries();
}

// ---- the table ----

void CHintWindow::LoadHintFile(const std::string& fileName) {
    ClearEntries();
    if (!m_Owner) {
        return;
    }
    CTextReader reader;
    if (!reader.Load(fileName)) ReportUnreadableFile("CHintWindow::LoadHintFile()", fileName);  // an empty tab
    CGameMain* game = Game();
    for (SHintLine& line : ParseHintTable(reader)) {
        auto entry = std::make_unique<HintEntry>();
        entry->ordinal = line.ordinal;
        entry->orderKey = line.orderKey;
        entry->eventId = line.eventId;
        if (!entry->picture.LoadFile(line.picturePath)) {
            entry->picture.Release();
        }
        entry->picturePath = std::move(line.picturePath);
        entry->seen = CEventPanel::IsEventSeen(entry->eventId);
        if (game) {
            entry->read = game->GetReadFlags().GetList(game->GetEventTable().GetEventName(entry->eventId));
        }
        entry->voicePath = std::move(line.voicePath);
        m_Entries.push_back(std::move(entry));
    }
}

int32_t CHintWindow::CountListed() const {
    if (!m_UnseenOnly) {
        return static_cast<int32_t>(m_Entries.size());
    }
    return static_cast<int32_t>(std::count_if(m_Entries.begin(), m_Entries.end(), [](const auto& e) { return !e->seen; }));
}

const HintEntry* CHintWindow::GetListed(int32_t index) const {
    if (index < 0) {
        return nullptr;
    }
    for (const auto& e : m_Entries) {
        if (m_UnseenOnly && e->seen) {
            continue;
        }
        if (index-- == 0) {
            return e.get();
        }
    }
    return nullptr;
}

// ---- opening and closing ----

void CHintWindow::Open() {
    if (m_State == STATE_OPENING || m_State == STATE_OPEN) {
        return;
    }
    if (!m_Owner) {
        DebugPrintf("CHintWindow::Open() オーナーが設定されていません");
        return;
    }
    LoadImages();
    m_State = STATE_OPENING;
    m_AlphaTween.Set(0, 255, kTweenSteps);
    m_SlideTween.Set(-30, 0, -kTweenSteps);
    const int32_t tab = Recall(kHintSettingTab);
    const int32_t first = Recall(kHintSettingFirstVisible);
    const int32_t mode = Recall(kHintSettingSortMode);
    const bool unseen = Recall(kHintSettingUnseenOnly) != 0;
    SelectTabQuiet(tab);
    SetSortMode(mode);
    m_UnseenOnly = unseen;
    Remember(kHintSettingUnseenOnly, unseen ? 1 : 0);
    SetScroll(m_FirstVisible);
    CImageButton& filter = m_OptionButtons[OPTION_UNSEEN_ONLY];
    if (unseen) {
        filter.SetChecked();
    } else {
        filter.SetUnchecked();
    }
    SetScrollQuiet(first);
    // The scroll position goes back as it was read: a shorter list clamps only the view.
    Remember(kHintSettingTab, tab);
    Remember(kHintSettingFirstVisible, first);
    Remember(kHintSettingSortMode, mode);
    Remember(kHintSettingUnseenOnly, unseen ? 1 : 0);
}

void CHintWindow::Close() {
    if (m_State != STATE_OPENING && m_State != STATE_OPEN) {
        return;
    }
    m_State = STATE_CLOSING;
    m_AlphaTween.Set(255, 0, kTweenSteps);
    m_SlideTween.Set(0, 30, -kTweenSteps);
}

void CHintWindow::Reset() {
    ReleaseAll();
    m_State = STATE_CLOSED;
}

void CHintWindow::OnDeviceReset() {
    if (m_Owner && m_State != STATE_CLOSED) {
        Restore();
    }
}

void CHintWindow::Restore() {
    m_Backdrop.Create(16, 16);
    m_Backdrop.Fill(kBackdropColour);
    // The close button as well: it is drawn like every other button.
    _ForEachButton([](CImageButton& b) { b.Restore(); });
    SetScroll(m_FirstVisible);
}

// ---- tabs, sorting, scrolling ----

void CHintWindow::SelectTab(int32_t tab) { _SelectTab(tab, true); }
void CHintWindow::SelectTabQuiet(int32_t tab) { _SelectTab(tab, false); }
void CHintWindow::SetSortMode(int32_t mode) { _SetSortMode(mode, true); }
void CHintWindow::SetSortModeQuiet(int32_t mode) { _SetSortMode(mode, false); }
void CHintWindow::SetScroll(int32_t first) { _SetScroll(first, true); }
void CHintWindow::SetScrollQuiet(int32_t first) { _SetScroll(first, false); }

void CHintWindow::_SelectTab(int32_t tab, bool remember) {
    m_CurrentTab = tab;
    m_FirstVisible = 0;
    if (remember) {
        Remember(kHintSettingTab, tab);
    }
    if (const char* file = HintTableFile(tab)) {
        LoadHintFile(file);
    }
    for (int i = 0; i < kHintTabCount; ++i) {
        CImageButton& b = m_TabButtons[static_cast<size_t>(i)];
        if (i == tab) {
            b.SetChecked();
        } else {
            b.SetUnchecked();
        }
    }
    _SetScroll(0, remember);
    _SetSortMode(m_SortMode, remember);
    m_HoveredVoice = m_PlayingVoice = -1;
    _StopVoice();
}

void CHintWindow::_SetSortMode(int32_t mode, bool remember) {
    m_SortMode = mode;
    if (remember) {
        Remember(kHintSettingSortMode, mode);
    }
    if (mode == 0 || mode == 1) {
        CImageButton& byFile = m_OptionButtons[OPTION_FILE_ORDER];
        CImageButton& byKey = m_OptionButtons[OPTION_KEY_ORDER];
        if (mode == 0) {
            byFile.SetChecked();
            byKey.SetUnchecked();
        } else {
            byFile.SetUnchecked();
            byKey.SetChecked();
        }
        SortHintEntries(m_Entries, mode);
    }
    _SetScroll(0, remember);
}

void CHintWindow::_SetScroll(int32_t first, bool remember) {
    const int32_t listed = CountListed();
    m_FirstVisible = first >= listed - kRows ? listed - kRows : first;
    m_FirstVisible = std::max(m_FirstVisible, 0);
    if (remember) {
        Remember(kHintSettingFirstVisible, m_FirstVisible);
    }
    for (int k = 0; k < kRows; ++k) {
        CImagePlane& row = m_RowPictures[static_cast<size_t>(k)];
        row.Release();
        const HintEntry* e = GetListed(m_FirstVisible + k);
        if (e && e->picture.IsLoaded()) {
            row.Create(e->picture.GetWidth(), e->picture.GetHeight());
            row.CopyRect(e->picture, 0, 0, 0, 0, e->picture.GetWidth(), e->picture.GetHeight());
        }
    }
}

// ---- the frame ----

void CHintWindow::Update() {
    if (!m_Owner) {
        return;
    }
    if (++m_SpeakerTicks > kSpeakerTicks) {
        m_SpeakerFrame = (m_SpeakerFrame + 1) % 4;
        m_SpeakerTicks = 0;
    }
    if (m_State == STATE_OPEN && IsCancelPressed()) {
        PlayChannel(2);
        Close();
        return;
    }
    if (m_State == STATE_OPENING || m_State == STATE_CLOSING) {
        m_AlphaTween.Next();
        m_SlideTween.Next();
        if (m_AlphaTween.IsEnd() && m_SlideTween.IsEnd()) {
            if (m_State == STATE_OPENING) {
                m_State = STATE_OPEN;
            } else {
                Reset();
                return;
            }
        }
    }
    const int32_t listed = CountListed();
    SetLocked(m_ArrowButtons[0], m_FirstVisible < 1);
    SetLocked(m_ArrowButtons[1], m_FirstVisible >= listed - kRows);

    if (m_State != STATE_OPEN || !Game()) {
        _ForEachButton([](CImageButton& b) { b.Update(-1, -1, false); });
    } else {
        const CMouse& mouse = Game()->GetMouse();
        const SPoint p = mouse.GetPosition();
        const bool click = IsDecidePressed();
        for (CImageButton& b : m_TabButtons) b.Update(p.x, p.y, click);
        for (CImageButton& b : m_OptionButtons) b.Update(p.x, p.y, click);
        for (CImageButton& b : m_ArrowButtons) b.Update(p.x, p.y, click);
        m_CloseButton.Update(p.x, p.y, click);
        for (int k = 0; k < kRows; ++k) {
            if (m_FirstVisible + k < listed) {
                m_RowButtons[static_cast<size_t>(k)].Update(p.x, p.y, click);
            } else {
                m_RowButtons[static_cast<size_t>(k)].Update(-1, -1, false);
            }
        }
        const int32_t wheel = mouse.GetWheel();
        if (wheel < 0) {
            SetScroll(m_FirstVisible - 1);
        } else if (wheel > 0) {
            SetScroll(m_FirstVisible + 1);
        }
        if (m_VoicesInstalled) {
            _UpdateSpeakers(p.x, p.y, click);
        }
    }
    _ForEachButton([](CImageButton& b) { b.Step(); });
    if (m_State == STATE_OPEN && listed > kRows && Game()) {
        const SPoint p = Game()->GetMouse().GetPosition();
        _UpdateScrollbar(p.x, p.y);
    } else {
        m_Dragging = false;
    }
    _HandleButtons();
}

void CHintWindow::_UpdateSpeakers(int32_t x, int32_t y, bool click) {
    int32_t cellW = 0, cellH = 0;
    m_SpeakerCells.GetCellSize(&cellW, &cellH);
    bool over = false;
    for (int k = 0; k < kRows && !over; ++k) {
        const int32_t index = m_FirstVisible + k;
        const HintEntry* e = GetListed(index);
        if (!e) {
            break;
        }
        if (!(e->seen || e->read) || !Inside(x, y, kSpeakerX, kRowY + kRowStep * k, cellW, cellH)) {
            continue;
        }
        over = true;
        if (index != m_HoveredVoice) {
            PlayChannel(1);
        }
        m_HoveredVoice = index;
        if (click) {
            if (index == m_PlayingVoice) {
                m_Voice.Stop();  // a chained first voice goes on to its second
            } else {
                m_PlayingVoice = index;
                m_VoiceName = e->voicePath;
                _PlayVoice();
            }
        }
    }
    if (!over) {
        m_HoveredVoice = -1;
    }
    if (!m_Voice.IsPlaying()) {
        if (m_VoiceName == kChainFirst) {
            m_VoiceName = kChainSecond;
            _PlayVoice();
        } else {
            m_PlayingVoice = -1;
        }
    }
}

void CHintWindow::_UpdateScrollbar(int32_t x, int32_t y) {
    const CMouse& mouse = Game()->GetMouse();
    const int32_t w = m_ThumbPicture.GetWidth(), h = m_ThumbPicture.GetHeight();
    const int32_t listed = CountListed();
    const int32_t top = kThumbY + m_FirstVisible * h / listed;
    const int32_t bottom = top + kRows * h / listed;
    if (Inside(x, y, kThumbX, kThumbY, w, h) && mouse.IsLeftPressed()) {
        if (y < top) {
            SetScroll(m_FirstVisible - kRows);
        } else if (y > bottom) {
            SetScroll(m_FirstVisible + kRows);
        } else {
            m_Dragging = true;
            m_DragStartX = x;
            m_DragStartY = y;
            m_DragStartFirst = m_FirstVisible;
        }
    }
    if (!m_Dragging) {
        return;
    }
    if (!mouse.IsLeftDown() || mouse.IsLeftReleased()) {
        m_Dragging = false;
        return;
    }
    // Pixels per entry in floating point: a thumb shorter than the list has less than
    // one pixel per entry.
    const double perEntry = static_cast<double>(h) / listed;
    if (perEntry <= 0.0) {
        return;
    }
    // The whole sum is truncated toward zero, not the entries moved: truncating those
    // alone would hold an upward drag from entry 1 or more for a whole entry's height.
    const int32_t first = static_cast<int32_t>(m_DragStartFirst + (y - m_DragStartY) / perEntry);
    if (first != m_FirstVisible) {
        SetScroll(first);
    }
}

void CHintWindow::_HandleButtons() {
    _ForEachButton([](CImageButton& b) {
        if (b.HoverBegan()) PlayChannel(1);
    });
    for (int i = 0; i < kHintTabCount; ++i) {
        if (m_TabButtons[static_cast<size_t>(i)].BecameChecked()) {
            PlayChannel(0);
            SelectTab(i);
            SetScroll(0);
        }
    }
    for (int mode = 0; mode < 2; ++mode) {
        if (m_OptionButtons[static_cast<size_t>(mode)].BecameChecked()) {
            PlayChannel(0);
            SetSortMode(mode);
        }
    }
    CImageButton& filter = m_OptionButtons[OPTION_UNSEEN_ONLY];
    if (filter.BecameChecked() || filter.BecameUnchecked()) {
        PlayChannel(0);
        m_UnseenOnly = filter.BecameChecked();
        Remember(kHintSettingUnseenOnly, m_UnseenOnly ? 1 : 0);
        SetScroll(m_FirstVisible);
    }
    if (m_OptionButtons[OPTION_GUIDE].BecameChecked()) {
        PlayChannel(0);
        _StopVoice();
        RequestCallSceneKeep(kGuideScene, 1, 15);
    }
    if (m_ArrowButtons[0].BecameChecked()) {
        PlayChannel(0);
        SetScroll(m_FirstVisible - 1);
    }
    if (m_ArrowButtons[1].BecameChecked()) {
        PlayChannel(0);
        SetScroll(m_FirstVisible + 1);
    }
    for (int k = 0; k < kRows; ++k) {
        if (!m_RowButtons[static_cast<size_t>(k)].BecameChecked()) {
            continue;
        }
        PlayChannel(0);
        if (const HintEntry* e = GetListed(m_FirstVisible + k)) {
            m_Owner->SetTalkText(e->picturePath, e->eventId);
            m_Owner->BeginTalk();
            Close();
        }
        return;
    }
    if (m_CloseButton.BecameChecked()) {
        PlayChannel(0);
        Close();
    }
}

// ---- voice ----

void CHintWindow::_PlayVoice() {
    if (!m_Voice.Load(m_VoiceName)) {
        return;
    }
    m_Voice.SetVolume(Game() ? Game()->GetSystemData().m_VoiceVolume * 10 : 0);
    m_Voice.SetPan(0);
    m_Voice.Play(false);
}

// Silence that does not go on into a chained second voice (a tab change, the guide).
void CHintWindow::_StopVoice() {
    m_Voice.Stop();
    m_VoiceName.clear();
}

// ---- drawing ----

SRect CHintWindow::GetThumbRect() const {
    const int32_t w = m_ThumbPicture.GetWidth(), h = m_ThumbPicture.GetHeight();
    const int32_t listed = CountListed();
    if (listed <= kRows) {
        return SRect{kThumbX, kThumbY, kThumbX + w, kThumbY + h};
    }
    const int32_t top = kThumbY + m_FirstVisible * h / listed;
    const int32_t height = std::max(1, kRows * h / listed);
    return SRect{kThumbX, top, kThumbX + w, top + height};
}

void CHintWindow::Draw() {
    if (!m_Owner || m_State == STATE_CLOSED) {
        return;
    }
    uint32_t colour = 0xFFFFFFFFu;
    CMatrix4 matrix;
    MatrixIdentity(&matrix);
    if (m_State != STATE_OPEN) {
        colour = (static_cast<uint32_t>(std::clamp(m_AlphaTween.GetValue(), 0, 255)) << 24) | 0xFFFFFFu;
        MatrixTranslation(&matrix, 0.0f, static_cast<float>(m_SlideTween.GetValue()), 0.0f);
    }
    if (m_Backdrop.IsLoaded()) {
        m_Backdrop.DrawStretch(SRect{0, 0, kScreenW, kScreenH}, SRect{0, 0, 16, 16}, colour);
    }
    m_FramePicture.DrawMatrix(152, 0, matrix, colour);
    m_SidePicture.DrawMatrix(0, 0, matrix, colour);
    for (CImageButton& b : m_TabButtons) b.Draw(colour, matrix);
    for (CImageButton& b : m_OptionButtons) b.Draw(colour, matrix);
    for (CImageButton& b : m_ArrowButtons) b.Draw(colour, matrix);
    m_CloseButton.Draw(colour, matrix);
    m_TrackPicture.DrawMatrix(kTrackX, kTrackY, matrix, colour);
    if (m_ThumbPicture.IsLoaded()) {
        const SRect thumb = GetThumbRect();
        const SRect source{0, 0, m_ThumbPicture.GetWidth(), m_ThumbPicture.GetHeight()};
        m_ThumbPicture.DrawStretchMatrix(thumb, source, matrix, colour);
    }
    for (int k = 0; k < kRows; ++k) {
        CImagePlane& row = m_RowPictures[static_cast<size_t>(k)];
        if (row.IsLoaded()) {
            row.DrawMatrix(kRowPictureX, kRowPictureY + kRowStep * k, matrix, colour);
        }
    }
    const int32_t shown = std::clamp(CountListed() - m_FirstVisible, 0, kRows);
    for (int k = 0; k < shown; ++k) {
        const HintEntry* e = GetListed(m_FirstVisible + k);
        const int32_t y = kRowY + kRowStep * k;
        if (!e->seen && e->read) {
            m_ReadMark.DrawMatrix(kMarkX, y, matrix, colour);
        } else if (m_MarkCells.GetPlane()) {
            m_MarkCells.DrawCellColored(e->seen ? 1 : 0, 0, kMarkX, y, matrix, colour);
        }
    }
    for (int k = 0; k < shown; ++k) {
        m_RowButtons[static_cast<size_t>(k)].Draw(colour, matrix);
    }
    if (!m_VoicesInstalled || !m_SpeakerCells.GetPlane()) {
        return;
    }
    for (int k = 0; k < shown; ++k) {
        const int32_t index = m_FirstVisible + k;
        const HintEntry* e = GetListed(index);
        if (e->seen || e->read) {
            const int32_t look = index == m_PlayingVoice ? 2 : index == m_HoveredVoice ? 1 : 0;
            m_SpeakerCells.DrawCellColored(m_SpeakerFrame, look, kSpeakerX, kRowY + kRowStep * k, matrix, colour);
        }
    }
}
