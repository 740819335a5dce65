#include "game/raising/work/FoodAllowanceScene.h"

#include <algorithm>

#include "engine/base/Keyboard.h"
#include "engine/base/Mouse.h"
#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/core/Status.h"
#include "game/core/SystemData.h"
#include "game/raising/ingame/RaisingScene.h"
#include "game/raising/work/StageMusic.h"

namespace {

constexpr int32_t kSlidePicture = 22;
constexpr int32_t kFriendLayer = 200;

// The board's texts, byte for byte as the game shows them (never a format string).
constexpr const char* kFriendName = "フェリナ";
constexpr const char* kFriendText = "「ピコネちゃんの不満が溜まっているようね。\n　ストレスのせいで、いつもより多めに食糧を欲しがっているわ」";
constexpr const char* kHelpName = "ピコネに仕送りする食糧量を決定します。満腹度は持ち越されません。";
constexpr const char* kHelpText = "要求食糧は満腹度１００％を満たせる食糧の仕送り量を表してします。\nピコネが不満状態のときは要求食糧が１．５倍に増加します。\n満腹度が9%以下になるとピコネは倒れてしまいます｡注意してください｡";

// Digit places, units first.
constexpr int32_t kPricePlaces[][2] = {{555, 86}, {535, 86}, {517, 87}};
constexpr int32_t kRequiredPlaces[][2] = {{557, 122}, {536, 126}, {516, 123}, {495, 127}};
constexpr int32_t kAmountPlaces[][2] = {{557, 184}, {527, 190}, {496, 186}, {466, 190}};
constexpr int32_t kMoneyPlaces[][2] = {{555, 261}, {536, 265}, {516, 262}, {495, 265}, {476, 258}, {456, 263}, {435, 261}};
constexpr int32_t kSatietyPlaces[][2] = {{556, 299}, {536, 302}, {516, 298}};

}  // namespace

int32_t CFoodAllowanceScene::ClampAmount(int32_t amount, int32_t price, int32_t money, int32_t required, bool press) {
    if (press && amount < 0) amount = 0;
    if (price > 0 && static_cast<int64_t>(amount) * price > money) {
        amount = static_cast<int32_t>(std::max<int64_t>(0, money) / price);
    }
    if (amount > required) amount = required;
    return amount;
}

int32_t CFoodAllowanceScene::GetSatietyPercent(int32_t amount) const {
    const int32_t required = m_Owner.Status().GetScaledAllowance();
    if (required <= 0) return 0;
    return static_cast<int32_t>(std::min<int64_t>(999, static_cast<int64_t>(amount) * 100 / required));
}

void CFoodAllowanceScene::Load() {
    CSlidePanel& slide = m_Owner.GetSlidePanel();
    slide.HideAll();
    slide.Show(kSlidePicture);
    slide.SetValue(kSlidePicture, CRaisingScene::kSlideTime);

    const CStatus& status = m_Owner.Status();
    const int32_t required = status.GetScaledAllowance();
    m_Amount = ClampAmount(InitialAmount(required), status.GetModeFactor(), status.Words().money, required, false);

    m_BoardPlane.Load(kBoard);
    m_DigitPlane.Load(kDigits);
    m_DigitCells.Set(&m_DigitPlane, 14, 1);
    m_DecidePlane.Load(kDecide);
    m_DecideButton.SetupColumn(&m_DecidePlane, 1, 5, 0);
    m_DecideButton.SetMomentary(true);
    m_DecideButton.SetPosition(kDecideX, kDecideY);
    m_ArrowPlane.Load(kArrows);
    for (int i = 0; i < kArrowCount; ++i) {
        CImageButton& b = m_Arrows[static_cast<size_t>(i)];
        b.SetupColumn(&m_ArrowPlane, 2, 5, i / 4);
        b.SetMomentary(true);
        b.SetPosition(kArrowX[i], kArrowY[i]);
        const SRect r = b.GetRect();
        b.SetHitRect(SRect{r.left + kArrowInset, r.top + kArrowInset, r.right - kArrowInset, r.bottom - kArrowInset});
    }

    CMainGameScene& stage = m_Owner.Stage();
    stage.ClearToBlack();
    stage.ShowLayerImage(CMainGameScene::kBackgroundLayer, kBackground);
    stage.ShowLayer(CMainGameScene::kBackgroundLayer);
    stage.StartScreenChange(1, 15);
    stage.SetMessageOn();
    EnsureStageMusic(stage, kWorkMusic);

    if (m_Fade != FADE_HIDDEN) SetHidden();
    if (status.IsContent() == 0) m_Phase = -1;
}

void CFoodAllowanceScene::Update() {
    _Input();
    _PanelInput();
    _Phase();
    m_DecideButton.Step();
    for (CImageButton& b : m_Arrows) b.Step();
    TickTransition();
}

void CFoodAllowanceScene::_Input() {
    CGameMain& game = m_Owner.GetGameMain();
    const bool input = !m_Owner.IsModeInTransition() && m_Phase == 1;
    const SPoint p = input ? game.GetMouse().GetPosition() : SPoint{-1, -1};
    const bool decide = input && IsDecidePressed();
    m_DecideButton.Update(p.x, p.y, decide);
    for (CImageButton& b : m_Arrows) b.Update(p.x, p.y, decide);
    if (!input) return;

    if (m_DecideButton.HoverBegan()) game.PlayChannel1();
    if (m_DecideButton.IsClicked()) {
        game.PlayChannel0();
        if (!game.GetSystemData().IsConfirmOn()) {
            m_Phase = 3;
        } else {
            m_Phase = 2;
            m_Panel.SetupPanelButtons(GetSatietyPercent(m_Amount) < 10 ? kPanelLow : kPanelPlain);
            m_Panel.Open();
            m_Owner.Stage().EnableExtraButtons(0);
        }
    }
    const CStatus& status = m_Owner.Status();
    for (int i = 0; i < kArrowCount; ++i) {
        const CImageButton& b = m_Arrows[static_cast<size_t>(i)];
        if (b.HoverBegan()) game.PlayChannel1();
        if (!b.IsClicked()) continue;
        game.PlayChannel0();
        m_Amount = ClampAmount(m_Amount + kArrowChange[i], status.GetModeFactor(), status.Words().money,
                               status.GetScaledAllowance(), true);
    }
}

void CFoodAllowanceScene::_PanelInput() {
    CGameMain& game = m_Owner.GetGameMain();
    const bool transition = m_Owner.IsModeInTransition();
    const SPoint p = transition ? SPoint{-1, -1} : game.GetMouse().GetPosition();
    m_Panel.SetCursor(p.x, p.y, !transition && IsDecidePressed());
    m_Panel.Update();
    if (transition || !m_Panel.IsOpen() || m_Panel.IsMoving()) return;
    if (m_Panel.HoverBegan(0) || m_Panel.HoverBegan(1)) game.PlayChannel1();
    if (m_Panel.BecameChecked(0)) {
        game.PlayChannel0();
        m_Panel.Close();
        m_Owner.Stage().EnableExtraButtons(1);
        m_Phase = 3;
    } else if (m_Panel.BecameChecked(1)) {
        game.PlayChannel2();
        m_Panel.Close();
        m_Owner.Stage().EnableExtraButtons(1);
        m_Phase = 1;
    }
}

void CFoodAllowanceScene::_Phase() {
    CMainGameScene& stage = m_Owner.Stage();
    const bool changing = stage.IsScreenChanging();
    switch (m_Phase) {
    case 0:
        if (!changing) m_Phase = -20;
        break;
    case -1:
        if (!changing) m_Phase = -2;
        break;
    case -2: {
        stage.ShowLayerImage(kFriendLayer, kFriendPicture);
        const SSize size = stage.GetLayerSize(kFriendLayer);
        stage.SetLayerPos(kFriendLayer, (CMainGameScene::kScreenWidth - size.cx) / 2, 0);
        stage.ShowLayer(kFriendLayer);
        stage.StartScreenChange(1, 30);
        m_Phase = -3;
        break;
    }
    case -3:
        if (!changing) m_Phase = -4;
        break;
    case -4:
        stage.ShowMessage(CSaveRecordStrings{kFriendName, kFriendText, "", 100, 0});
        m_Phase = -5;
        break;
    case -5:
        stage.RemoveLayer(kFriendLayer);
        stage.StartScreenChange(1, 30);
        m_Phase = -6;
        break;
    case -6:
        if (!changing) m_Phase = -7;
        break;
    case -7:
        m_Phase = 0;
        break;
    case -20:
        stage.ShowMessageAlt(CSaveRecordStrings{kHelpName, kHelpText, "", 100, 0});
        BeginShow();
        m_Phase = 1;
        break;
    case 2:
        if (IsCancelPressed()) {
            m_Panel.Close();
            stage.EnableExtraButtons(1);
            m_Phase = 1;
        }
        break;
    case 3:
        BeginHide();
        m_Phase = 4;
        break;
    case 4:
        if (m_Fade == FADE_HIDDEN && !m_Panel.IsMoving()) _Decide();
        break;
    case 5:
        _CloseStage();
        m_Phase = 6;
        break;
    case 6:
        if (!changing) m_Phase = 7;
        break;
    case 7:
        m_Owner.ClearMode();
        m_Phase = 8;
        break;
    default:
        break;
    }
}

void CFoodAllowanceScene::_Decide() {
    CStatus& status = m_Owner.Status();
    const int64_t cost = static_cast<int64_t>(status.GetModeFactor()) * m_Amount;
    status.Words().foodSent = m_Amount;
    status.AddMoney(static_cast<int32_t>(-std::min<int64_t>(cost, CStatus::kMoneyMax)));
    m_Phase = 5;
    status.Words().satietyPercent = GetSatietyPercent(m_Amount);
}

void CFoodAllowanceScene::_CloseStage() {
    CMainGameScene& stage = m_Owner.Stage();
    if (stage.GetMessageState().m_LineShown) stage.MessageStateStep();
    stage.ResetMessageState();
    stage.SetMessageOff();
    stage.ClearToBlack();
    stage.SetLayerFill(CMainGameScene::kBackgroundLayer, CMainGameScene::kBlack);
    stage.ShowLayer(CMainGameScene::kBackgroundLayer);
    stage.StopSoundGroup(0, 800);
    stage.StartScreenChange(1, 30);
}

// ---- transitions ----

void CFoodAllowanceScene::_Rebuild() {
    MatrixIdentity(&m_Transform);
    if (m_Fade == FADE_APPEARING || m_Fade == FADE_HIDING) {
        m_Alpha = m_Motion.GetAlpha();
        m_Transform.m[3][1] = static_cast<float>(m_Motion.GetOffset());
    }
}

void CFoodAllowanceScene::BeginShow() {
    if (m_Fade == FADE_APPEARING || m_Fade == FADE_SHOWN) return;
    SetHidden();
    m_Fade = FADE_APPEARING;
    m_Motion.Open(kSlide, kShowSteps);
    _Rebuild();
}

void CFoodAllowanceScene::BeginHide() {
    if (m_Fade != FADE_APPEARING && m_Fade != FADE_SHOWN) return;
    SetShown();
    m_Fade = FADE_HIDING;
    m_Motion.Close(kSlide, kHideSteps);
    _Rebuild();
}

void CFoodAllowanceScene::TickTransition() {
    if (m_Fade != FADE_APPEARING && m_Fade != FADE_HIDING) return;
    const bool ended = m_Motion.Step();
    _Rebuild();
    if (!ended) return;
    if (m_Fade == FADE_APPEARING) {
        SetShown();
    } else {
        SetHidden();
    }
}

void CFoodAllowanceScene::SetShown() {
    if (m_Fade == FADE_SHOWN) return;
    m_Fade = FADE_SHOWN;
    m_Alpha = 255;
    MatrixIdentity(&m_Transform);
}

void CFoodAllowanceScene::SetHidden() {
    if (m_Fade == FADE_HIDDEN) return;
    m_Fade = FADE_HIDDEN;
    m_Alpha = 0;
    MatrixIdentity(&m_Transform);
}

// ---- drawing ----

void CFoodAllowanceScene::_DrawNumber(int64_t value, const int32_t (*places)[2], int count, bool all) {
    const uint32_t colour = static_cast<uint32_t>(m_Alpha) << 24 | 0x00FFFFFFu;
    if (value < 0) value = 0;
    int64_t power = 1;
    for (int k = 0; k < count; ++k) {
        if (k > 0 && !all && power > value) break;
        m_DigitCells.DrawCellColored(static_cast<int32_t>(value / power % 10), 0, places[k][0], places[k][1], m_Transform,
                                     colour);
        power *= 10;
    }
}

void CFoodAllowanceScene::Draw() {
    if (m_Fade != FADE_HIDDEN) {
        const uint32_t colour = static_cast<uint32_t>(m_Alpha) << 24 | 0x00FFFFFFu;
        const CStatus& status = m_Owner.Status();
        const int32_t price = status.GetModeFactor();
        m_BoardPlane.DrawMatrix(kBoardX, 0, m_Transform, colour);
        m_DigitCells.DrawCellColored(kMoneyCell, 0, 578, 86, m_Transform, colour);
        _DrawNumber(price, kPricePlaces, 3, false);
        _DrawNumber(status.GetScaledAllowance(), kRequiredPlaces, 4, false);
        _DrawNumber(m_Amount, kAmountPlaces, 4, true);
        m_DigitCells.DrawCellColored(kMoneyCell, 0, 579, 260, m_Transform, colour);
        _DrawNumber(static_cast<int64_t>(status.Words().money) - static_cast<int64_t>(price) * m_Amount, kMoneyPlaces, 7,
                    false);
        m_DigitCells.DrawCellColored(kPercentCell, 0, 578, 302, m_Transform, colour);
        _DrawNumber(GetSatietyPercent(m_Amount), kSatietyPlaces, 3, false);
        m_DecideButton.Draw(colour, m_Transform);
        for (CImageButton& b : m_Arrows) b.Draw(colour, m_Transform);
    }
    m_Panel.Draw();
}

void CFoodAllowanceScene::Restore() {
    m_DecideButton.Restore();
    for (CImageButton& b : m_Arrows) b.Restore();
    m_Panel.OnDeviceRestored();
}

void CFoodAllowanceScene::PrepareThumbnail() {
    DrawStageThumbnail(m_Owner);
    Draw();
}

// ---- the host ----

CFoodAllowanceMode::CFoodAllowanceMode(CRaisingScene& owner)
    : CModeHostState(owner, std::make_unique<CFoodAllowanceScene>(owner), ELayer::OVER_WINDOW) {}

void CFoodAllowanceMode::Update() { UpdateUnderPanel(GetFood().GetPhase() == 2); }
