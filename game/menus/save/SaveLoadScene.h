#pragma once
// Scenes 8 to 11, the save and load screens: the 36 save slots in nine pages of four
// over the dimmed wide background, with the menu tab bar, nine page buttons and a back
// button.  The load flag makes the screen load instead of save; the clear-data flag
// turns a save into a clear-data record (a fresh game that carries the money and the
// main-rank value over) and restricts a load to such records, and it locks every tab
// but the screen's own.
//
// Saving copies the running game into the current save record and on into the slot
// file with a 200 × 150 thumbnail, then opens the slot's comment for typing; a used
// slot asks first when the overwrite question is on.  Loading copies the slot into the
// current save record and goes on to the load relay (23), never back to the caller.
// Once the screen has asked for another scene it takes no more input.
#include <array>
#include <cstdint>

#include "engine/base/Counter.h"
#include "engine/draw/ImagePlane.h"
#include "engine/draw/SceneBase.h"
#include "engine/draw/TextWindow.h"
#include "game/core/Button.h"
#include "game/core/ImageButton.h"
#include "game/core/SaveData.h"
#include "game/menus/kit/MenuDimmer.h"
#include "game/menus/kit/MenuTabBar.h"
#include "game/menus/save/SlotCard.h"
#include "game/raising/panel/ButtonPanel.h"

class CGameMain;

class CSaveLoadScene : public CSceneBase, public CSceneObjectBase {
public:
    static constexpr int kSlots = CSaveData::kSlotCount;
    static constexpr int kPages = 9;
    static constexpr int kPerPage = 4;
    static constexpr int kPageButtons = 10;  // pages 1 to 9, then back
    static constexpr int kBackButton = 9;
    static constexpr const char* kSaveTitle = "obj\\c000_000.bmp";
    static constexpr const char* kLoadTitle = "obj\\c000_001.bmp";
    static constexpr const char* kSubTitle = "obj\\c000_003.bmp";
    static constexpr const char* kPageSheet = "obj\\c000_004.bmp";     // 10 × 5
    static constexpr const char* kFrameSheet = "obj\\c000_005.bmp";    // 1 × 3
    static constexpr const char* kCommentSheet = "obj\\c000_013.bmp";  // 1 × 5
    static constexpr const char* kClearDataPicture = "obj\\c001_000.bmp";
    static constexpr int32_t kConfirmPanel = 6;
    static constexpr int32_t kFrameInset = 10;
    static constexpr size_t kCommentBytes = 28;
    static constexpr int32_t kSlideSteps = -20;
    static constexpr int32_t kScreenWidth = 800;
    static constexpr int32_t kLoadFadeMs = 450;
    static constexpr int32_t kLoadRelayScene = 23;
    static constexpr SPoint kOffScreen{800, 600};
    static constexpr std::array<int32_t, 5> kPageButtonX = {424, 496, 568, 640, 712};
    static constexpr std::array<SPoint, kPerPage> kFrames = {SPoint{11, 88}, SPoint{11, 340}, SPoint{416, 88},
                                                             SPoint{416, 340}};
    static constexpr std::array<SPoint, kPerPage> kCommentButtons = {SPoint{307, 277}, SPoint{307, 530},
                                                                     SPoint{712, 277}, SPoint{712, 530}};
    static constexpr std::array<SPoint, kPerPage> kCommentWindows = {SPoint{20, 303}, SPoint{20, 555},
                                                                     SPoint{425, 303}, SPoint{425, 555}};

    enum EPageState { PAGE_HIDDEN = 0, PAGE_SLIDING_IN = 1, PAGE_SHOWN = 2, PAGE_SLIDING_OUT = 3 };

    CSaveLoadScene(CGameMain& game, uint8_t isLoad, uint8_t isClearData);
    ~CSaveLoadScene() override;

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

    // Slot s from its file (a missing or unreadable file leaves the record empty).
    void ReadSlot(int s);
    // Slot s to its file as it is, the save time kept; false (logged) when it failed.
    bool WriteSlot(int s);

    void ShowPage(int p);
    void SetPageShown(int p);
    void HidePage(int p);
    void UpdatePages();

    // Saves the running game (or a clear-data record) into slot s with its thumbnail.
    // False when the slot file could not be written: the slot then shows what its file
    // holds, and the cancel sound plays.
    bool SaveToSlot(int s);
    void BeginCommentEdit(int s);
    // True when the edit ended in this frame.
    bool UpdateCommentEdit();
    void EndCommentEdit();
    void DrawPages();

    // ---- for tests ----
    bool IsLoadMode() const { return m_IsLoad != 0; }
    bool IsClearDataMode() const { return m_IsClearData != 0; }
    const CSaveData& GetSlot(int s) const { return m_Slots[static_cast<size_t>(s)]; }
    int32_t GetPageState(int p) const { return m_PageStates[static_cast<size_t>(p)]; }
    int32_t GetPageOffset(int p) const { return m_PageTweens[static_cast<size_t>(p)].GetValue(); }
    bool IsEditing() const { return m_IsEditing != 0; }
    int GetEditSlot() const { return static_cast<int>(m_EditSlot); }
    bool IsLeaving() const { return m_LeaveCount != 0; }
    CTextWindow& GetCommentWindow(int s) { return m_CommentWindows[static_cast<size_t>(s)]; }
    const CButtonPanel& GetConfirmPanel() const { return m_ConfirmPanel; }
    CMenuTabBar& GetTabBar() { return m_TabBar; }
    const CButton& GetFrame(int s) const { return m_FrameButtons[static_cast<size_t>(s)]; }
    const CImageButton& GetPageButton(int i) const { return m_PageButtons[static_cast<size_t>(i)]; }
    // How many times slot s's thumbnail file was read.
    int GetThumbnailReads(int s) const { return m_ThumbReads[static_cast<size_t>(s)]; }

private:
    // Whether slot s takes clicks: load modes only used slots (the clear-data load only
    // clear-data records); save modes every slot.
    bool _FrameLive(int s) const;
    bool _CommentLive(int s) const;
    void _UpdateConfirm();
    void _UpdateBrowse();
    // Comment buttons, then frames: the first click found.  True when the frame ends.
    bool _SlotClicks();
    void _ChooseSlot(int s);
    void _Load(int s);
    void _Leave();
    void _DeselectSlots();
    void _SelectSlot(int s);
    // Page button p on, the other page buttons off (back stays as it is).
    void _SelectPageButton(int p);
    void _PlaceWindows(int p, int32_t dx);
    // The thumbnail is read again when its page shows or the slot was saved.
    void _ForgetThumbnails(int p);
    void _ForgetThumbnail(int s);
    CImagePlane* _Thumbnail(int s);
    void _WriteThumbnail(int s);
    uint32_t _SlotColour(int s) const;

    CGameMain& m_Game;
    uint8_t m_IsLoad;
    uint8_t m_IsClearData;
    std::array<CSaveData, kSlots> m_Slots;
    CMenuDimmer m_Dimmer;
    CImagePlane m_TitlePlane;
    CImagePlane m_SubTitlePlane;
    CMenuTabBar m_TabBar;
    std::array<CImageButton, kPageButtons> m_PageButtons;
    CImagePlane m_PageSheet;
    CImagePlane m_FrameSheet;
    std::array<CButton, kSlots> m_FrameButtons;
    std::array<CImagePlane, kSlots> m_ThumbPlanes;
    std::array<bool, kSlots> m_ThumbTried{};
    std::array<int, kSlots> m_ThumbReads{};
    CSlotCard m_Card;
    CImagePlane m_CommentSheet;
    std::array<CImageButton, kSlots> m_CommentButtons;
    std::array<CTextWindow, kSlots> m_CommentWindows;
    CButtonPanel m_ConfirmPanel;
    std::array<CCounterAccel, kPages> m_PageTweens;
    int32_t m_LeaveCount = 0;
    uint8_t m_IsEditing = 0;
    uint32_t m_EditSlot = 0;
    uint8_t m_WasBusy = 0;
    uint32_t m_ConfirmSlot = 0;
    std::array<int32_t, kPages> m_PageStates{};
    bool m_UsesWide = false;
};
