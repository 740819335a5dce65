#pragma once
// The full-screen hint browser of the in-game scene: six tabs of hints (one hint
// table each), six rows at a time, sorted by file order or by key, optionally only
// the hints whose event has not happened yet, with a mark per row, speaker icons that
// play the hint voices, and a row button that shows the hint picture in the stage's
// message panel.  Tab, sort mode, filter and scroll position outlive the program in
// the system data.
//
// The owner (the in-game scene) calls Update and Draw only while IsShown or IsMoving,
// OnDeviceReset after a device reset and Reset on a new game or a loaded one; without
// an owner the window neither updates, draws, restores nor reads a hint table.
// Every index (first visible, hovered and playing voice, rows) counts listed entries:
// all of them, or with the filter on only the unseen ones.
#include <array>
#include <cstdint>
#include <string>

#include "engine/base/Counter.h"
#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "engine/draw/SceneBase.h"
#include "engine/sound/FadeSound.h"
#include "game/core/ImageButton.h"
#include "game/raising/hint/HintOwner.h"
#include "game/raising/hint/HintTable.h"

class CHintWindow : public CSceneBase {
public:
    enum EState { STATE_CLOSED = 0, STATE_OPENING = 1, STATE_OPEN = 2, STATE_CLOSING = 3 };
    enum EOption { OPTION_FILE_ORDER = 0, OPTION_KEY_ORDER = 1, OPTION_UNSEEN_ONLY = 2, OPTION_GUIDE = 3 };
    static constexpr int kRows = 6;
    static constexpr int kTweenSteps = 15;
    static constexpr int kSpeakerTicks = 20;
    static constexpr int32_t kGuideScene = 17;
    // The voice whose end starts a second one on the same speaker.
    static constexpr const char* kChainFirst = "hint_voice\\pa_0036.ogg";
    static constexpr const char* kChainSecond = "hint_voice\\cu_0038.ogg";

    CHintWindow();
    ~CHintWindow() override;
    CHintWindow(const CHintWindow&) = delete;
    CHintWindow& operator=(const CHintWindow&) = delete;

    // Not owned; set by the in-game scene right after building the window.
    void SetOwner(IHintOwner* owner) { m_Owner = owner; }
    IHintOwner* GetOwner() const { return m_Owner; }

    // Opens from the remembered settings; nothing while opening or open (a closing
    // window opens again).  Refused (logged) without an owner.
    void Open();
    void Close();
    void Update() override;
    void Draw() override;
    bool IsShown() const { return m_State == STATE_OPENING || m_State == STATE_OPEN; }
    bool IsMoving() const { return m_State == STATE_OPENING || m_State == STATE_CLOSING; }
    int32_t GetState() const { return m_State; }
    // Everything released, closed at once.
    void Reset();
    void OnDeviceReset();
    void OnDeviceRestored() override { OnDeviceReset(); }
    // The textures made again and the row pictures copied again.
    void Restore();

    // The remembering setters write the setting into the system data; the quiet ones do
    // the same work without.
    void SelectTab(int32_t tab);
    void SelectTabQuiet(int32_t tab);
    void SetSortMode(int32_t mode);
    void SetSortModeQuiet(int32_t mode);
    void SetScroll(int32_t first);
    void SetScrollQuiet(int32_t first);

    void LoadImages();
    void ReleaseAll();
    void ClearEntries() { m_Entries.clear(); }
    // The list emptied, then (with an owner) one entry per accepted line.
    void LoadHintFile(const std::string& fileName);
    int32_t CountListed() const;
    // Listed entry `index`; null outside the list.
    const HintEntry* GetListed(int32_t index) const;

    int32_t GetCurrentTab() const { return m_CurrentTab; }
    int32_t GetFirstVisible() const { return m_FirstVisible; }
    int32_t GetSortMode() const { return m_SortMode; }
    bool IsUnseenOnly() const { return m_UnseenOnly; }
    bool AreVoicesInstalled() const { return m_VoicesInstalled; }
    int32_t GetHoveredVoice() const { return m_HoveredVoice; }
    int32_t GetPlayingVoice() const { return m_PlayingVoice; }
    int32_t GetSpeakerFrame() const { return m_SpeakerFrame; }
    int32_t GetAlpha() const { return m_AlphaTween.GetValue(); }
    int32_t GetSlide() const { return m_SlideTween.GetValue(); }
    bool IsDragging() const { return m_Dragging; }
    const HintEntryList& GetEntries() const { return m_Entries; }
    CFadeSound& GetVoice() { return m_Voice; }
    const std::string& GetVoiceName() const { return m_VoiceName; }
    CImageButton& GetTabButton(int i) { return m_TabButtons[static_cast<size_t>(i)]; }
    CImageButton& GetOptionButton(int i) { return m_OptionButtons[static_cast<size_t>(i)]; }
    CImageButton& GetArrowButton(int i) { return m_ArrowButtons[static_cast<size_t>(i)]; }
    CImageButton& GetRowButton(int i) { return m_RowButtons[static_cast<size_t>(i)]; }
    CImageButton& GetCloseButton() { return m_CloseButton; }
    // The thumb's rectangle as drawn (before the slide).
    SRect GetThumbRect() const;

private:
    void _SelectTab(int32_t tab, bool remember);
    void _SetSortMode(int32_t mode, bool remember);
    void _SetScroll(int32_t first, bool remember);
    void _UpdateSpeakers(int32_t x, int32_t y, bool click);
    void _UpdateScrollbar(int32_t x, int32_t y);
    // The frame's clicks; a row or the close button ends the frame.
    void _HandleButtons();
    void _PlayVoice();
    void _StopVoice();
    // All 19 buttons.
    template <typename F>
    void _ForEachButton(F&& f);

    IHintOwner* m_Owner = nullptr;
    CImagePlane m_Backdrop;
    CImagePlane m_FramePicture;
    CImagePlane m_SidePicture;
    int32_t m_State = STATE_CLOSED;
    CCounterLinear m_AlphaTween;
    CCounterAccel m_SlideTween;
    CImagePlane m_TabSheet;
    CImagePlane m_OptionSheet;
    CImagePlane m_CloseSheet;
    std::array<CImageButton, kHintTabCount> m_TabButtons;
    std::array<CImageButton, 4> m_OptionButtons;
    CImageButton m_CloseButton;
    CImagePlane m_ArrowSheet;
    std::array<CImageButton, 2> m_ArrowButtons;
    std::array<CImagePlane, kRows> m_RowPictures;
    CImagePlane m_TrackPicture;
    CImagePlane m_ThumbPicture;
    CImagePlane m_MarkSheet;
    CCellImage m_MarkCells;
    CImagePlane m_ReadMark;
    CImagePlane m_RowButtonSheet;
    std::array<CImageButton, kRows> m_RowButtons;
    bool m_VoicesInstalled = false;
    CImagePlane m_SpeakerSheet;
    CCellImage m_SpeakerCells;
    int32_t m_SpeakerFrame = 0;
    int32_t m_SpeakerTicks = 0;
    int32_t m_HoveredVoice = -1;
    int32_t m_PlayingVoice = -1;
    CFadeSound m_Voice;
    std::string m_VoiceName;
    bool m_Dragging = false;
    int32_t m_DragStartX = 0;
    int32_t m_DragStartY = 0;
    int32_t m_DragStartFirst = 0;
    int32_t m_CurrentTab = 0;
    int32_t m_FirstVisible = 0;
    bool m_UnseenOnly = false;
    int32_t m_SortMode = 0;
    HintEntryList m_Entries;
};
