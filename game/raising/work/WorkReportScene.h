#pragma once
// In-game mode 5: the monthly work report.  Between event scripts of kind 1 it counts
// up the month's work, the pay rate, the evaluation, the new evaluation total, the pay
// and the money after it; when the evaluation moves the total into another rank, a
// rank card grows in turning, stays for the rank-up or rank-down script and turns back
// out.  At the end the month's work is settled (CStatus::SettleWork) and the mode ends.
// The game's first turn plays only the closing script.
//
// The screen lies in a CModeHostState (CWorkReportMode) over the stage; its phase is
// kept in the mode's first word of the game state.  docs/work-report.md has the phases.
#include <array>
#include <cstdint>
#include <memory>

#include "engine/base/Counter.h"
#include "engine/base/Matrix.h"
#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "game/raising/ingame/ModeState.h"
#include "game/raising/work/CountUpNumber.h"

class CR000Scene : public CModeState {
public:
    static constexpr int32_t kModeId = 5;
    static constexpr const char* kBackground = "bg\\bg06m.bmp";
    static constexpr const char* kBoard = "obj\\r000_000.bmp";
    static constexpr const char* kDateDigits = "obj\\r000_001.bmp";  // 10 × 1
    static constexpr const char* kLabels = "obj\\r000_002.bmp";      // 6 × 1
    static constexpr const char* kVerdicts = "obj\\r000_003.bmp";    // 2 × 1
    static constexpr const char* kRankMarks = "obj\\r000_004.bmp";   // 6 × 1
    static constexpr const char* kArrow = "obj\\r000_005.bmp";
    static constexpr const char* kCardBoard = "obj\\r000_006.bmp";
    static constexpr const char* kCardTitle = "obj\\r000_007.bmp";  // 1 × 1
    static constexpr const char* kCardRows = "obj\\r000_008.bmp";   // 3 × 1
    static constexpr const char* kCardLine = "obj\\r000_009.bmp";
    static constexpr const char* kDigits = "obj\\p001_000.bmp";     // 14 × 1
    static constexpr int32_t kDateColumns = 10;
    static constexpr int32_t kLabelColumns = 6;
    static constexpr int32_t kVerdictColumns = 2;
    static constexpr int32_t kRankColumns = 6;
    static constexpr int32_t kCardRowColumns = 3;
    static constexpr int32_t kBoardX = 232;
    static constexpr int32_t kCardX = 8;
    static constexpr int32_t kCardY = 144;
    static constexpr int32_t kCardSteps = 20;
    static constexpr int32_t kScaleOne = 1024;
    static constexpr int32_t kTurnEnd = 1024;

    enum ENumber { NUM_WORK = 0, NUM_RATE, NUM_EVALUATION, NUM_TOTAL, NUM_PAY, NUM_MONEY, kNumberCount };

    using CModeState::CModeState;
    ~CR000Scene() override;

    void Load() override;
    void Update() override;
    void Draw() override;
    // Image sets A and B again when their boards lost their pictures.
    void Restore() override;
    void OnDeviceRestored() override { Restore(); }
    void SaveState(CGameState& state) override;
    void LoadState(const CGameState& state) override;
    void PrepareThumbnail() override;

    // Image set A (the report) with the six numbers' targets.
    void BuildReport();
    // Image set B (the rank card).
    void BuildRankCard();
    void ReleaseRankCard();

    int32_t GetPhase() const { return m_Phase; }
    void SetPhase(int32_t phase) { m_Phase = phase; }
    const CCountUpNumber& GetNumber(int n) const { return m_Numbers[static_cast<size_t>(n)]; }
    int32_t GetCardScale() const { return m_CardScale.GetValue(); }
    int32_t GetCardTurn() const { return m_CardTurn.GetValue(); }
    int32_t GetCardAlpha() const { return m_CardAlpha.GetValue(); }
    int32_t GetCardWidth() const { return m_CardBoard.GetWidth(); }
    int32_t GetCardHeight() const { return m_CardBoard.GetHeight(); }
    bool IsCardBuilt() const { return m_CardBoard.IsLoaded(); }
    bool IsReportBuilt() const { return m_Board.IsLoaded(); }
    // The card's transform for a scale (1/1024) and a turn (0..1024) of a w × h card:
    // about its centre, its unscaled top-left corner at (8, 144).
    static CMatrix4 CardMatrix(int32_t scale, int32_t turn, int32_t width, int32_t height);
    // The card's angle in 512ths of a turn: two whole turns as the turn goes 0 to
    // 1024, fast at first and slowing to rest.
    static int32_t CardAngle(int32_t turn);

private:
    // The stored evaluation total and the one after this month's evaluation.
    int32_t _OldTotal() const;
    int32_t _NewTotal() const;
    bool _Decided() const;
    // Removes the figures' layers 400, 300 and 200.
    void _ClearFigures();
    // At the end of a script: the figures away, balloon 0 closed (when asked) and a
    // screen change over `frames`.
    bool _AfterScript(bool closeBalloon, int32_t frames);
    void _CloseMessage();
    void _CardCounters(bool in);
    bool _StepCard();
    void _DrawReport();
    void _DrawCard();
    void _DrawTwoDigits(int32_t value, int32_t tensX, int32_t tensY, int32_t unitsX, int32_t unitsY,
                        const CMatrix4& m, uint32_t colour);

    int32_t m_Phase = 0;
    int32_t m_Step = 0;
    // Image set A.
    CImagePlane m_Board;
    CImagePlane m_LabelPlane;
    CCellImage m_LabelCells;
    CImagePlane m_VerdictPlane;
    CCellImage m_VerdictCells;
    std::array<CImagePlane, 4> m_Date;  // year tens, year units, month tens, month units
    CImagePlane m_DigitPlane;
    CCellImage m_DigitCells;
    std::array<CCountUpNumber, kNumberCount> m_Numbers;
    CImagePlane m_RankPlane;
    CCellImage m_RankCells;
    uint8_t m_OldMarkShown = 0;
    uint8_t m_NewMarkShown = 0;
    CCounterAccel m_Slide;
    CCounterLinear m_Alpha;
    CImagePlane m_ArrowPlane;
    // Image set B.
    CImagePlane m_CardBoard;
    CImagePlane m_CardTitlePlane;
    CCellImage m_CardTitleCells;
    CImagePlane m_CardRowPlane;
    CCellImage m_CardRowCells;
    CImagePlane m_CardArrow;
    CImagePlane m_CardLine;
    CImagePlane m_CardRankPlane;
    CCellImage m_CardRankCells;
    CImagePlane m_CardDigitPlane;
    CCellImage m_CardDigitCells;
    CCounterAccel m_CardScale;
    CCounterLinear m_CardTurn;
    CCounterLinear m_CardAlpha;
    // What the report shows, fixed when it is built.
    int32_t m_Year = 0;
    int32_t m_Month = 0;
    // A restored report that was already counted (the count is raised once a report).
    bool m_Counted = false;
    // A restored phase past the rank card: the count is cleared when the report resumes.
    bool m_ClearCount = false;
};

// Mode 5: the report over the whole stage, message window included.
class CWorkReportMode : public CModeHostState {
public:
    explicit CWorkReportMode(CRaisingScene& owner);
    CR000Scene& GetReport() { return *static_cast<CR000Scene*>(m_Screen.get()); }
};
