#pragma once
// In-game mode 15: the food allowance.  Over the stage the player sets, with eight
// arrow buttons, how many units of food go to the girl this month; the board shows the
// unit price, the required food (100 % satiety), the amount, the money left and the
// satiety the amount gives.  Deciding (with the confirmation panel when the player
// keeps it on) pays for the food, stores the amount and the satiety and ends the mode.
// A discontented girl asks for more: a short scene with フェリナ says so first.
//
// The screen lies in CFoodAllowanceMode, whose update lets the stage take the frame
// first, except while the confirmation panel is open: then the screen runs first and
// the stage runs with the input suppressed.  Nothing of the screen is saved: a restored
// game shows it from the start.
#include <array>
#include <cstdint>
#include <memory>

#include "engine/base/Matrix.h"
#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "game/core/ImageButton.h"
#include "game/raising/ingame/ModeState.h"
#include "game/raising/panel/ButtonPanel.h"
#include "game/raising/panel/PanelMotion.h"

class CFoodAllowanceScene : public CModeState {
public:
    static constexpr int32_t kModeId = 15;
    static constexpr const char* kBoard = "obj\\p000_000.bmp";
    static constexpr const char* kArrows = "obj\\p000_001.bmp";  // 2 × 5
    static constexpr const char* kDecide = "obj\\p000_002.bmp";  // 1 × 5
    static constexpr const char* kDigits = "obj\\p001_000.bmp";  // 14 × 1
    static constexpr const char* kBackground = "bg\\bg06mk.bmp";
    static constexpr const char* kFriendPicture = "sc\\me010.bmp";
    static constexpr int32_t kBoardX = 224;
    static constexpr int32_t kDecideX = 312;
    static constexpr int32_t kDecideY = 344;
    static constexpr int kArrowCount = 8;
    static constexpr int32_t kArrowX[kArrowCount] = {470, 500, 529, 559, 468, 499, 528, 558};
    static constexpr int32_t kArrowY[kArrowCount] = {163, 159, 164, 159, 222, 216, 223, 215};
    static constexpr int32_t kArrowChange[kArrowCount] = {1000, 100, 10, 1, -1000, -100, -10, -1};
    static constexpr int32_t kArrowInset = 2;
    static constexpr int32_t kMoneyCell = 10;
    static constexpr int32_t kPercentCell = 11;
    static constexpr int32_t kPanelLow = 5;   // satiety below 10 %
    static constexpr int32_t kPanelPlain = 4;
    static constexpr int32_t kShowSteps = 20;
    static constexpr int32_t kHideSteps = 10;
    static constexpr int32_t kSlide = 100;
    enum EFade : int32_t { FADE_HIDDEN = 0, FADE_APPEARING = 1, FADE_SHOWN = 2, FADE_HIDING = 3 };

    using CModeState::CModeState;

    void Load() override;
    void Update() override;
    void Draw() override;
    void Restore() override;
    void OnDeviceRestored() override { Restore(); }
    void PrepareThumbnail() override;

    void BeginShow();
    void BeginHide();
    void TickTransition();
    void SetShown();
    void SetHidden();
    // min(999, amount × 100 / required food).
    int32_t GetSatietyPercent(int32_t amount) const;
    // The amount held to the money (at the price) and to the required food; a press
    // also lifts a negative amount to 0.
    static int32_t ClampAmount(int32_t amount, int32_t price, int32_t money, int32_t required, bool press);
    // The first amount: a tenth of the required food, rounded up (at least 10 %).
    static int32_t InitialAmount(int32_t required) { return required / 10 + (required % 10 != 0 ? 1 : 0); }

    int32_t GetPhase() const { return m_Phase; }
    int32_t GetAmount() const { return m_Amount; }
    int32_t GetFade() const { return m_Fade; }
    int32_t GetAlpha() const { return m_Alpha; }
    int32_t GetOffset() const { return static_cast<int32_t>(m_Transform.m[3][1]); }
    CButtonPanel& GetPanel() { return m_Panel; }
    const CImageButton& GetArrow(int i) const { return m_Arrows[static_cast<size_t>(i)]; }
    const CImageButton& GetDecideButton() const { return m_DecideButton; }

private:
    void _Input();
    void _PanelInput();
    void _Phase();
    void _Decide();
    void _CloseStage();
    void _Rebuild();
    // Draws the lowest `places` digits of `value` at their places (units first); the
    // higher ones only once the value reaches them unless `all`.
    void _DrawNumber(int64_t value, const int32_t (*places)[2], int count, bool all);

    int32_t m_Phase = 0;
    int32_t m_Fade = FADE_HIDDEN;
    CMatrix4 m_Transform;
    int32_t m_Alpha = 0;
    CPanelMotion m_Motion;
    CImagePlane m_BoardPlane;
    CImagePlane m_DigitPlane;
    CCellImage m_DigitCells;
    CImagePlane m_DecidePlane;
    CImageButton m_DecideButton;
    CImagePlane m_ArrowPlane;
    std::array<CImageButton, kArrowCount> m_Arrows;
    CButtonPanel m_Panel;
    int32_t m_Amount = 0;
};

// Mode 15: the food screen over the whole stage, message window included, so that its
// confirmation buttons show over the message box.
class CFoodAllowanceMode : public CModeHostState {
public:
    explicit CFoodAllowanceMode(CRaisingScene& owner);
    void Update() override;
    CFoodAllowanceScene& GetFood() { return *static_cast<CFoodAllowanceScene*>(m_Screen.get()); }
};
