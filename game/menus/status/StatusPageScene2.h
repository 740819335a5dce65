#pragma once
// Scene 25, the second status page: on tab 0 the items owned, on tab 1 the counts of
// the home side's activities (locked rows marked), and on both the girl's side panel:
// abilities, food, growth, self-sufficiency, score, the helpers' icons, a face by the
// season's event or her satiety, and three markers on the character scales.  Button 0
// goes to the first page, buttons 1 and 2 are the tabs, button 3 and cancel return.
#include <array>
#include <cstdint>

#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "game/core/ImageButton.h"
#include "game/menus/title/GameScene.h"

class CStatus;

class CStatusPageScene2 : public CGameScene {
public:
    static constexpr const char* kItemBackground = "obj\\k000_000.bmp";
    static constexpr const char* kValueBackground = "obj\\k000_007.bmp";
    static constexpr const char* kButtonSheet = "obj\\k000_008.bmp";  // 5 × 5
    static constexpr const char* kItems = "obj\\k000_001.bmp";        // 34 × 1
    static constexpr const char* kSmallDigits = "obj\\k000_003.bmp";  // 11 × 1
    static constexpr const char* kSlash = "obj\\k000_014.bmp";
    static constexpr const char* kHelpers[3] = {"obj\\k000_004.bmp", "obj\\k000_005.bmp", "obj\\k000_006.bmp"};
    static constexpr const char* kFaces = "obj\\k000_002.bmp";        // 16 × 1, cells 6..15 used
    static constexpr const char* kMarker = "obj\\k001_001.bmp";
    static constexpr const char* kLocks = "obj\\k000_015.bmp";        // 2 × 16
    static constexpr int32_t kItemCells = 34;
    static constexpr int32_t kSmallDigitCells = 11;
    static constexpr int32_t kFaceCells = 16;
    static constexpr int32_t kLockColumns = 2;
    static constexpr int32_t kLockRows = 16;
    static constexpr int kButtonCount = 4;
    static constexpr std::array<SPoint, kButtonCount> kButtonPlaces = {SPoint{584, 10}, SPoint{64, 520},
                                                                       SPoint{264, 520}, SPoint{590, 550}};
    static constexpr int32_t kOtherPage = 24;
    static constexpr int kItemRows = 34;
    static constexpr int kValueRows = 27;
    static constexpr int32_t kValueMax = 999;
    // Where the markers' scales begin and how wide they are.
    static constexpr int32_t kScaleLeft = 567;
    static constexpr int32_t kScaleWidth = 161;

    explicit CStatusPageScene2(CGameMain& game) : CGameScene(game) {}

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

    // 0 the items, 1 the values; another value is kept and changes nothing else.
    void SetTab(int32_t tab);
    int32_t GetTab() const { return m_Tab; }

    // The item a row of tab 0 stands for (there is no item 31).
    static int ItemOfRow(int row) { return row < 31 ? row : row + 1; }
    // Tab 1's row: its value (before the clamp) and whether it is open.
    static int32_t RowValue(const CStatus& status, int row);
    static bool RowOpen(const CStatus& status, int row);
    // The face cell: by the season's event where it has a face, else by the satiety.
    static int32_t FaceCell(int32_t seasonKind, int32_t satiety);
    // The left edge of a marker `width` wide standing for v on a scale.
    static int32_t MarkerLeft(int32_t v, int32_t width) { return kScaleLeft + v * kScaleWidth / 100 - width / 2; }

    const CImageButton& GetButton(int i) const { return m_Buttons[static_cast<size_t>(i)]; }

private:
    void _DrawItems(const CStatus& status);
    void _DrawValues(const CStatus& status);
    void _DrawSidePanel(const CStatus& status);

    CImagePlane m_Background;
    CImagePlane m_ButtonSheet;
    std::array<CImageButton, kButtonCount> m_Buttons;
    int32_t m_Tab = 0;
    CImagePlane m_ItemSheet;
    CCellImage m_ItemCells;
    CImagePlane m_DigitSheet;
    CCellImage m_Digits;
    CImagePlane m_SideDigitSheet;
    CCellImage m_SideDigits;
    CImagePlane m_Slash;
    std::array<CImagePlane, 3> m_HelperIcons;
    CImagePlane m_FaceSheet;
    CCellImage m_FaceCells;
    CImagePlane m_MarkerPlane;
    CImagePlane m_LockSheet;
    CCellImage m_LockCells;
};
