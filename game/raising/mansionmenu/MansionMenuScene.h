#pragma once
// Mansion mode 0: the menu of ten actions over the mansion background.  A board of
// buttons slides in from the left; pointing at a button shows its help in the stage's
// message window, filled with the player's numbers, and slides in the side card of the
// action (its figures drawn in digit cells); pressing it opens a list panel of choices
// or goes to the action through its relay.  Buttons whose action is not possible now
// are disabled by fixed rules on the status.  Positions: docs/mansion-menu.md.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/Counter.h"
#include "engine/base/Matrix.h"
#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "game/core/Button.h"
#include "game/raising/mansion/MansionHosts.h"
#include "game/raising/panel/ListPanel.h"

class CStatus;

class CMansionMenuScene : public CMansionMenuScreen {
public:
    static constexpr int kButtonCount = 10;
    static constexpr int kCardCount = 7;
    static constexpr int32_t kBoardSteps = 20;
    static constexpr int32_t kSideSteps = 15;
    static constexpr int32_t kCardX = 280;
    enum EButton : int {
        WORK = 0, FRIEND, BOND, TRAINING, SHOP, JOB, MEAL, SMALL_EXPENSE, END, STATUS
    };
    enum ESlide : int32_t { HIDDEN = 0, SLIDING_IN = 1, SHOWN = 2, SLIDING_OUT = 3 };

    static constexpr const char* kBackground = "bg\\bg06mk.bmp";
    static constexpr const char* kMusic = "bgm\\bgm_002.ogg";
    static constexpr const char* kHelpFile = "cfg\\bell_tutorial.txt";
    // The button pictures, 1 × 5 looks each: obj\h001_006.bmp to obj\h001_015.bmp (the
    // first of the eleven, obj\h001_005.bmp, is the home menu's frame).
    static std::string ButtonPicture(int i) {
        std::string name = "obj\\h001_000.bmp";
        const int n = 6 + i;
        name[10] = static_cast<char>('0' + n / 10 % 10);
        name[11] = static_cast<char>('0' + n % 10);
        return name;
    }
    static constexpr const char* kCards = "obj\\h000_000.bmp";      // 7 × 1
    static constexpr const char* kEmblems = "obj\\h001_002.bmp";    // 14 × 1: ranks 0..5, seasonal events 1..8
    static constexpr const char* kDigits = "obj\\h001_000.bmp";     // 10 × 1
    static constexpr const char* kSigns = "obj\\h001_001.bmp";      // 3 × 1: money unit, minus, slash
    static constexpr const char* kLabel = "obj\\h001_003.bmp";
    static constexpr const char* kLevels = "obj\\h001_004.bmp";     // 6 × 1
    static constexpr const char* kStages = "obj\\h003_000.bmp";     // 8 × 1: friend stages 0..7
    // Where button i sits on the board (before the board's slide).
    static SPoint ButtonPos(int i);

    explicit CMansionMenuScene(CMansionHostMode& host);
    ~CMansionMenuScene() override;

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;
    // A restored game: the slide panel's picture 1 in, the others out.
    void LoadState(const CGameState& state) override;
    void PrepareThumbnail() override { Draw(); }
    bool IsPanelOpen() const override { return m_Panel != 0; }

    void SetMenuPanel(int32_t n);
    void ShowHelp(int32_t n);
    void ClearHelp();
    void ShowSidePicture(int i);
    void HideSidePicture(int i);
    void StepSidePictures();
    // The help text n as it would be shown now.
    std::string BuildHelp(int32_t n) const;
    // The buttons that the status leaves enabled (after all are enabled).
    void ApplyButtonRules();

    int32_t GetShownHelp() const { return m_ShownHelp; }
    int32_t GetMenuPanel() const { return m_Panel; }
    int32_t GetBoardState() const { return m_BoardState; }
    int32_t GetBoardOffset() const { return m_Board.GetValue(); }
    const CButton& GetButton(int i) const { return m_Buttons[static_cast<size_t>(i)]; }
    CButton& GetButton(int i) { return m_Buttons[static_cast<size_t>(i)]; }
    CListPanel& GetPanelA() { return m_PanelA; }
    CListPanel& GetPanelB() { return m_PanelB; }
    int32_t GetSideState(int i) const { return m_Sides[static_cast<size_t>(i)].state; }
    int32_t GetSideOffset(int i) const { return m_Sides[static_cast<size_t>(i)].x.GetValue(); }
    // Where card i stands against its rest place: (its width, minus its width) when it
    // begins to slide in, (0, 0) once in.
    SPoint GetSideShift(int i) const {
        const SSide& p = m_Sides[static_cast<size_t>(i)];
        return SPoint{p.x.GetValue(), p.y.GetValue()};
    }
    int32_t GetSideAlpha(int i) const { return m_Sides[static_cast<size_t>(i)].fade.GetValue(); }

private:
    struct SSide {
        int32_t state = HIDDEN;
        CCounterAccel x;  // the card's horizontal offset: from its width to 0
        CCounterAccel y;  // its vertical offset: from minus the width to 0
        CCounterLinear fade;
    };

    void _StartSlide(SSide& p, bool in);
    void _LoadPictures();
    void _StartMusic();
    void _RunButtons(int32_t mx, int32_t my, bool decide);
    void _PressButton(int i);
    void _RunPanelA();
    void _RunPanelB();
    void _Relay(int32_t mode);
    void _End();
    void _OpenPanelA(int32_t type);
    const CStatus& _Status() const;
    // Drawing of the side cards (MansionMenuCards.cpp).
    void _DrawStatus();
    // The figures of card i, placed relative to the card's shift o.
    void _DrawCard(int i, SPoint o, uint32_t colour);
    void _DrawNumber(int32_t value, const std::vector<SPoint>& places, SPoint o, uint32_t colour) const;
    void _DrawSign(int cell, int32_t x, int32_t y, uint32_t colour) const;
    void _DrawDigit(int d, int32_t x, int32_t y, uint32_t colour) const;
    void _DrawCostLine(int32_t cost, SPoint o, uint32_t colour) const;
    void _DrawStaminaLine(SPoint o, uint32_t colour) const;

    int32_t m_ShownHelp = -1;
    std::array<CImagePlane, kButtonCount> m_ButtonPlanes;
    std::array<CButton, kButtonCount> m_Buttons;
    CListPanel m_PanelA;
    CListPanel m_PanelB;
    int32_t m_BoardState = HIDDEN;
    CCounterAccel m_Board;
    int32_t m_Panel = 0;
    CImagePlane m_CardPlane, m_EmblemPlane, m_DigitPlane, m_SignPlane, m_LabelPlane, m_LevelPlane, m_StagePlane;
    CCellImage m_CardCells, m_EmblemCells, m_DigitCells, m_SignCells, m_LevelCells, m_StageCells;
    std::array<SSide, kCardCount> m_Sides;
    CMatrix4 m_BoardMatrix;
};
