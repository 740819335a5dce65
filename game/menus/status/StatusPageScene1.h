#pragma once
// Scene 24, the first status page: the household's numbers (level, pay tier, work,
// rank points, money, stamina), the main rank and the four friends' grades, levels and
// values, read from the running game's status record at every draw.  Button 0 goes to
// the second page, button 1 and cancel return to the suspended in-game screen.
#include <array>
#include <cstdint>

#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "game/core/ImageButton.h"
#include "game/menus/title/GameScene.h"

class CStatus;

class CStatusPageScene1 : public CGameScene {
public:
    static constexpr const char* kBackground = "obj\\k000_009.bmp";
    static constexpr const char* kBand = "obj\\k000_011.bmp";
    static constexpr const char* kLargeDigits = "obj\\k000_010.bmp";  // 12 × 1: 0..9, unit mark, money mark
    static constexpr const char* kRanks = "obj\\k000_012.bmp";        // 6 × 1
    static constexpr const char* kGrades = "obj\\k000_013.bmp";       // 8 × 1
    static constexpr const char* kLevels = "obj\\k002_000.bmp";       // 5 × 1
    static constexpr const char* kSmallDigits = "obj\\k000_003.bmp";  // 11 × 1: 0..9, mark
    static constexpr const char* kButtonSheet = "obj\\k000_008.bmp";  // 5 × 5
    static constexpr int32_t kLargeDigitCells = 12;
    static constexpr int32_t kRankCells = 6;
    static constexpr int32_t kGradeCells = 8;
    static constexpr int32_t kLevelCells = 5;
    static constexpr int32_t kSmallDigitCells = 11;
    static constexpr int32_t kUnitMark = 10;
    static constexpr int32_t kMoneyMark = 11;
    static constexpr int kButtonCount = 2;
    static constexpr std::array<SPoint, kButtonCount> kButtonPlaces = {SPoint{584, 10}, SPoint{592, 539}};
    static constexpr std::array<int32_t, kButtonCount> kButtonColumns = {1, 4};
    static constexpr int32_t kOtherPage = 25;

    explicit CStatusPageScene1(CGameMain& game) : CGameScene(game) {}

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

    // The rank points still missing to the next rank once the pending points are
    // counted: 0 when they already reach it or at the top rank (2600 and more).
    static int32_t PointsToNextRank(int32_t rankPoints, int32_t pendingPoints);
    // The jobs still missing to the next pay tier (20, 40, 70, 110, 150); 0 at the top.
    static int32_t JobsToNextTier(int32_t jobs);

    const CImageButton& GetButton(int i) const { return m_Buttons[static_cast<size_t>(i)]; }

private:
    void _DrawValues(const CStatus& status);

    CImagePlane m_Background;
    CImagePlane m_Band;
    CImagePlane m_LargeDigitSheet;
    CImagePlane m_RankSheet;
    CImagePlane m_GradeSheet;
    CCellImage m_LargeDigits;
    CCellImage m_RankCells;
    CCellImage m_GradeCells;
    CImagePlane m_LevelSheet;
    CCellImage m_LevelCells;
    CImagePlane m_SmallDigitSheet;
    CCellImage m_SmallDigits;
    CImagePlane m_ButtonSheet;
    std::array<CImageButton, kButtonCount> m_Buttons;
};
