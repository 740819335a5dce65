#include "game/raising/work/WorkReportScene.h"

#include <algorithm>
#include <cstdlib>

#include "engine/base/SinTable.h"
#include "game/core/GameState.h"
#include "game/core/SceneRequest.h"
#include "game/core/Status.h"
#include "game/raising/ingame/RaisingScene.h"
#include "game/raising/work/StageMusic.h"

namespace {

constexpr int32_t kSlidePicture = 20;
constexpr int32_t kUnitCell = 12;  // the digit sheet's mark beside the work amount and the rate

uint32_t White(int32_t alpha) { return static_cast<uint32_t>(std::clamp(alpha, 0, 255)) << 24 | 0x00FFFFFFu; }

}  // namespace

CR000Scene::~CR000Scene() = default;

int32_t CR000Scene::_OldTotal() const { return m_Owner.Status().Words().evaluationTotal; }

int32_t CR000Scene::_NewTotal() const {
    const SStatusWords& w = m_Owner.Status().Words();
    // As the settlement stores it: a negative total shows with the minus sign.
    return CStatus::SettledEvaluationTotal(w.evaluationTotal, w.evaluation);
}

void CR000Scene::Load() {
    CSlidePanel& slide = m_Owner.GetSlidePanel();
    slide.HideAll();
    slide.Show(kSlidePicture);
    slide.SetValue(kSlidePicture, CRaisingScene::kSlideTime);
    CMainGameScene& stage = m_Owner.Stage();
    stage.ResetStage();
    stage.ShowLayerImageAlt(CMainGameScene::kBackgroundLayer, kBackground);
    stage.ShowLayer(CMainGameScene::kBackgroundLayer);
    EnsureStageMusic(stage, kWorkMusic);
    m_ArrowPlane.Load(kArrow);
    const SStatusWords& w = m_Owner.Status().Words();
    if (w.year == 1 && w.month == 4 && w.week == 1) m_Phase = 100;
}

void CR000Scene::BuildReport() {
    m_Board.Load(kBoard);
    m_LabelPlane.Load(kLabels);
    m_LabelCells.Set(&m_LabelPlane, kLabelColumns, 1);
    m_VerdictPlane.Load(kVerdicts);
    m_VerdictCells.Set(&m_VerdictPlane, kVerdictColumns, 1);

    const SStatusWords& w = m_Owner.Status().Words();
    m_Month = w.month;
    m_Year = (w.month >= 1 && w.month <= 3) ? w.year - 1 : w.year;
    CImagePlane dateSheet;
    CCellImage dateCells;
    if (dateSheet.Load(kDateDigits) && dateCells.Set(&dateSheet, kDateColumns, 1)) {
        int32_t cw = 0;
        int32_t ch = 0;
        dateCells.GetCellSize(&cw, &ch);
        // Digits of a year or month outside 0..99 are taken modulo 10 like the others.
        const int32_t digits[4] = {m_Year / 10 % 10, m_Year % 10, m_Month / 10 % 10, m_Month % 10};
        for (size_t i = 0; i < m_Date.size(); ++i) {
            m_Date[i].Create(cw, ch);
            m_Date[i].CopyCell(dateCells, std::abs(digits[i]), 0);
        }
    }

    m_RankPlane.Load(kRankMarks);
    m_RankCells.Set(&m_RankPlane, kRankColumns, 1);
    m_DigitPlane.Load(kDigits);
    m_DigitCells.Set(&m_DigitPlane, CCountUpNumber::kDigitColumns, 1);
    m_Numbers[NUM_WORK].Setup(&m_DigitPlane, {{567, 73}, {545, 79}, {523, 71}, {502, 76}});
    m_Numbers[NUM_RATE].Setup(&m_DigitPlane, {{569, 124}, {547, 117}, {525, 114}});
    m_Numbers[NUM_EVALUATION].Setup(&m_DigitPlane, {{570, 161}, {548, 155}, {527, 165}, {506, 159}});
    m_Numbers[NUM_TOTAL].Setup(&m_DigitPlane, {{568, 278}, {547, 284}, {523, 286}, {501, 281}});
    m_Numbers[NUM_PAY].Setup(&m_DigitPlane, {{565, 319}, {544, 321}, {523, 316}, {500, 321}});
    m_Numbers[NUM_MONEY].Setup(&m_DigitPlane,
                               {{568, 359}, {545, 366}, {523, 359}, {502, 365}, {481, 358}, {461, 364}, {441, 357}});

    // The pay is shown at the rate the settlement pays (that of the total before this
    // month's evaluation), so that the money shown is the money the month ends with.
    const int32_t rate = RankToValue(_OldTotal());
    const int64_t pay = static_cast<int64_t>(rate) * w.workAmount;
    const int64_t money = std::clamp<int64_t>(w.money + pay, 0, CStatus::kMoneyMax);
    m_Numbers[NUM_WORK].SetTarget(w.workAmount);
    m_Numbers[NUM_RATE].SetTarget(rate);
    m_Numbers[NUM_EVALUATION].SetTarget(w.evaluation);
    m_Numbers[NUM_TOTAL].SetTarget(_NewTotal());
    m_Numbers[NUM_PAY].SetTarget(static_cast<int32_t>(std::min<int64_t>(pay, INT32_MAX)));
    m_Numbers[NUM_MONEY].SetTarget(static_cast<int32_t>(money));
}

void CR000Scene::BuildRankCard() {
    m_CardBoard.Load(kCardBoard);
    m_CardTitlePlane.Load(kCardTitle);
    m_CardTitleCells.Set(&m_CardTitlePlane, 1, 1);
    m_CardRowPlane.Load(kCardRows);
    m_CardRowCells.Set(&m_CardRowPlane, kCardRowColumns, 1);
    m_CardArrow.Load(kArrow);
    m_CardLine.Load(kCardLine);
    m_CardRankPlane.Load(kRankMarks);
    m_CardRankCells.Set(&m_CardRankPlane, kRankColumns, 1);
    m_CardDigitPlane.Load(kDigits);
    m_CardDigitCells.Set(&m_CardDigitPlane, CCountUpNumber::kDigitColumns, 1);
}

void CR000Scene::ReleaseRankCard() {
    m_CardBoard.Release();
    m_CardTitleCells.Clear();
    m_CardRowCells.Clear();
    m_CardTitlePlane.Release();
    m_CardRowPlane.Release();
}

bool CR000Scene::_Decided() const {
    return IsDecidePressed() || IsCancelPressed() || m_Owner.Stage().IsSkipping();
}

void CR000Scene::_ClearFigures() {
    CMainGameScene& stage = m_Owner.Stage();
    stage.RemoveLayer(400);
    stage.RemoveLayer(300);
    stage.RemoveLayer(200);
}

bool CR000Scene::_AfterScript(bool closeBalloon, int32_t frames) {
    if (m_Owner.IsScriptRunning()) return false;
    _ClearFigures();
    if (closeBalloon) m_Owner.Stage().CloseBalloonAtOnce(0);
    m_Owner.Stage().StartScreenChange(1, frames);
    return true;
}

void CR000Scene::_CloseMessage() {
    CMainGameScene& stage = m_Owner.Stage();
    if (stage.GetMessageState().m_LineShown) stage.MessageStateStep();
}

void CR000Scene::_CardCounters(bool in) {
    if (in) {
        m_CardScale.Set(2 * kScaleOne, kScaleOne, -kCardSteps);
        m_CardTurn.Set(0, kTurnEnd, kCardSteps);
        m_CardAlpha.Set(0, 255, kCardSteps);
    } else {
        m_CardScale.Set(kScaleOne, 2 * kScaleOne, kCardSteps);
        m_CardTurn.Set(kTurnEnd, 0, kCardSteps);
        m_CardAlpha.Set(255, 0, kCardSteps);
    }
}

bool CR000Scene::_StepCard() {
    m_CardScale.Next();
    m_CardTurn.Next();
    m_CardAlpha.Next();
    return m_CardScale.IsEnd() && m_CardTurn.IsEnd() && m_CardAlpha.IsEnd();
}

void CR000Scene::Update() {
    CMainGameScene& stage = m_Owner.Stage();
    CStatus& status = m_Owner.Status();
    switch (m_Phase) {
    case 0:
        m_Owner.StartEvent(1, 0);
        m_Phase = 1;
        break;
    case 1:
        if (_AfterScript(false, 15)) m_Phase = 7;
        break;
    case 7:
        if (!m_Counted) ++status.Words().reportCount;
        m_Counted = false;
        BuildReport();
        m_Slide.Set(-100, 0, -15);
        m_Alpha.Set(0, 255, 15);
        m_Phase = 8;
        break;
    case 8:
        m_Slide.Next();
        m_Alpha.Next();
        if (m_Slide.IsEnd() && m_Alpha.IsEnd()) {
            m_Step = 0;
            m_Phase = 9;
        }
        break;
    case 9:
        if (m_Step == 0) m_Numbers[NUM_WORK].Start();
        if (m_Step == 6) {
            m_Numbers[NUM_RATE].Start();
            m_Phase = 10;
        }
        ++m_Step;
        break;
    case 10: {
        const CCountUpNumber& a = m_Numbers[NUM_WORK];
        const CCountUpNumber& b = m_Numbers[NUM_RATE];
        if (a.IsStarted() && !a.IsRunning() && b.IsStarted() && !b.IsRunning()) m_Phase = 11;
        break;
    }
    case 11:
    case 29:
        if (_Decided()) {
            _CloseMessage();
            m_Alpha.Set(255, 0, 10);
            m_Phase = m_Phase == 11 ? 12 : 30;
        }
        break;
    case 12:
    case 30:
        m_Alpha.Next();
        if (m_Alpha.IsEnd()) m_Phase = m_Phase == 12 ? 13 : 31;
        break;
    case 13:
        m_Owner.StartEvent(1, 1);
        m_Phase = 14;
        break;
    case 14:
        if (_AfterScript(true, 15)) m_Phase = 15;
        break;
    case 15:
        m_Phase = CStatus::RankOf(_NewTotal()) == status.GetMainRank() ? 25 : 16;
        break;
    case 16:
        m_Owner.StartEvent(1, 2);
        m_Phase = 17;
        break;
    case 17:
        if (_AfterScript(true, 15)) m_Phase = 18;
        break;
    case 18:
        BuildRankCard();
        _CardCounters(true);
        m_Phase = 19;
        break;
    case 19:
        if (_StepCard()) m_Phase = 20;
        break;
    case 20:
        m_Owner.StartEvent(1, status.GetMainRank() < CStatus::RankOf(_NewTotal()) ? 3 : 5);
        m_Phase = 21;
        break;
    case 21:
        if (_AfterScript(true, 15)) m_Phase = 22;
        break;
    case 22:
        _CardCounters(false);
        m_Phase = 23;
        break;
    case 23:
        if (_StepCard()) m_Phase = 24;
        break;
    case 24:
        ReleaseRankCard();
        status.Words().reportCount = 0;
        m_Phase = 25;
        break;
    case 25:
        if (m_ClearCount) status.Words().reportCount = 0;
        m_ClearCount = false;
        m_Alpha.Set(0, 255, 10);
        m_Phase = 26;
        break;
    case 26:
        m_Alpha.Next();
        if (m_Alpha.IsEnd()) {
            m_Step = 0;
            m_Phase = 27;
        }
        break;
    case 27:
        switch (m_Step) {
        case 0: m_Numbers[NUM_EVALUATION].Start(); break;
        case 6: m_OldMarkShown = 1; break;
        case 12: m_NewMarkShown = 1; break;
        case 18: m_Numbers[NUM_TOTAL].Start(); break;
        case 24: m_Numbers[NUM_PAY].Start(); break;
        case 30:
            m_Numbers[NUM_MONEY].Start();
            m_Phase = 28;
            break;
        default: break;
        }
        ++m_Step;
        break;
    case 28: {
        bool done = true;
        for (int n = NUM_EVALUATION; n <= NUM_MONEY; ++n) {
            const CCountUpNumber& c = m_Numbers[static_cast<size_t>(n)];
            done = done && c.IsStarted() && !c.IsRunning();
        }
        if (done) m_Phase = 29;
        break;
    }
    case 31:
        m_Owner.StartEvent(1, 4);
        m_Phase = 32;
        break;
    case 32:
        if (_AfterScript(true, 30)) m_Phase = 33;
        break;
    case 33:
        if (!stage.IsScreenChanging()) m_Phase = 34;
        break;
    case 34:
        m_Owner.ClearMode();
        status.SettleWork();
        m_Phase = 35;
        break;
    case 100:
        m_Owner.StartEvent(1, 4);
        m_Phase = 101;
        break;
    case 101:
        if (_AfterScript(false, 30)) m_Phase = 102;
        break;
    case 102:
        if (!stage.IsScreenChanging()) m_Phase = 103;
        break;
    case 103:
        m_Owner.ClearMode();
        m_Phase = 104;
        break;
    default:
        break;
    }
    for (CCountUpNumber& n : m_Numbers) n.Update();
}

void CR000Scene::SaveState(CGameState& state) { state.SetModeWord(kModeId, 0, m_Phase); }

void CR000Scene::LoadState(const CGameState& state) {
    const int32_t saved = state.GetModeWord(kModeId, 0);
    m_Phase = saved;
    if (saved >= 7 && saved <= 11) {
        m_Phase = 7;
        // The count was raised when the report was built before the save.
        m_Counted = saved > 7;
    } else if (saved == 12 || saved == 13) {
        m_Phase = 13;
    } else if (saved == 18 || saved == 19) {
        m_Phase = 18;
    } else if (saved == 20 || saved == 21) {
        // The card stands while the rank script plays: build it as it stood, so that
        // phase 22 has a card to close.
        BuildRankCard();
        _CardCounters(true);
        while (!_StepCard()) {
        }
    } else if (saved >= 22 && saved <= 29) {
        // A card that was closing is not brought back: the report resumes, and the rank
        // change clears the count as the card's end would have.
        m_Phase = 25;
        m_ClearCount = saved <= 24;
        BuildReport();
        m_Numbers[NUM_WORK].Finish();
        m_Numbers[NUM_RATE].Finish();
    } else if (saved == 30 || saved == 31) {
        m_Phase = 31;
    } else if (saved == 35) {
        m_Owner.ClearMode();
    }
}

CMatrix4 CR000Scene::CardMatrix(int32_t scale, int32_t turn, int32_t width, int32_t height) {
    const float cx = static_cast<float>(width) / 2.0f;
    const float cy = static_cast<float>(height) / 2.0f;
    const float s = static_cast<float>(scale) / static_cast<float>(kScaleOne);
    CMatrix4 toCentre;
    CMatrix4 scaling;
    CMatrix4 turning;
    CMatrix4 place;
    MatrixTranslation(&toCentre, -cx, -cy, 0.0f);
    MatrixScaling(&scaling, s, s, 1.0f);
    MatrixRotationSin(&turning, CardAngle(turn));
    MatrixTranslation(&place, static_cast<float>(kCardX) + cx, static_cast<float>(kCardY) + cy, 0.0f);
    CMatrix4 m;
    MatrixMultiply(&m, &toCentre, &scaling);
    MatrixMultiply(&m, &m, &turning);
    MatrixMultiply(&m, &m, &place);
    return m;
}

int32_t CR000Scene::CardAngle(int32_t turn) {
    const int64_t t = CSinTable::Sin(turn / 8);
    return static_cast<int32_t>(((t * 1024) >> 16) % 512);
}

void CR000Scene::Draw() {
    if ((m_Phase >= 8 && m_Phase <= 12) || (m_Phase >= 25 && m_Phase <= 30)) _DrawReport();
    if (m_Phase == 18 || m_Phase == 19 || m_Phase == 22 || m_Phase == 23) _DrawCard();
}

void CR000Scene::_DrawReport() {
    if (!m_Board.IsLoaded()) return;
    const bool counted = m_Phase == 9 || m_Phase == 10 || m_Phase == 27 || m_Phase == 28;
    const int32_t alpha = counted ? 255 : m_Alpha.GetValue();
    const uint32_t colour = White(alpha);
    CMatrix4 m;
    MatrixIdentity(&m);
    if (m_Phase == 8) MatrixTranslation(&m, 0.0f, static_cast<float>(m_Slide.GetValue()), 0.0f);

    m_Board.DrawMatrix(kBoardX, 0, m, colour);
    if (m_Year >= 10) m_Date[0].DrawMatrix(272, 29, m, colour);
    m_Date[1].DrawMatrix(296, 24, m, colour);
    if (m_Month >= 10) m_Date[2].DrawMatrix(368, 21, m, colour);
    m_Date[3].DrawMatrix(392, 24, m, colour);
    m_LabelCells.DrawCellColored(0, 0, 264, 72, m, colour);
    m_LabelCells.DrawCellColored(1, 0, 264, 113, m, colour);
    m_DigitCells.DrawCellColored(kUnitCell, 0, 591, 78, m, colour);
    m_DigitCells.DrawCellColored(kUnitCell, 0, 590, 117, m, colour);
    m_Numbers[NUM_WORK].Draw(m, alpha);
    m_Numbers[NUM_RATE].Draw(m, alpha);
    if (m_Phase < 25) return;

    const int32_t labelY[4] = {154, 276, 317, 358};
    for (int i = 0; i < 4; ++i) m_LabelCells.DrawCellColored(2 + i, 0, 264, labelY[i], m, colour);
    const int oldRank = CStatus::RankOf(_OldTotal());
    const int newRank = CStatus::RankOf(_NewTotal());
    const bool changed = oldRank != newRank;
    m_VerdictCells.DrawCellColored(changed ? 1 : 0, 0, 264, 195, m, colour);
    if (m_OldMarkShown) m_RankCells.DrawCellColored(oldRank, 0, 480, 192, m, colour);
    if (changed) {
        if (m_NewMarkShown) m_RankCells.DrawCellColored(newRank, 0, 480, 240, m, colour);
        m_ArrowPlane.DrawMatrix(528, 228, m, colour);
    }
    for (int n = NUM_EVALUATION; n <= NUM_MONEY; ++n) m_Numbers[static_cast<size_t>(n)].Draw(m, alpha);
}

void CR000Scene::_DrawTwoDigits(int32_t value, int32_t tensX, int32_t tensY, int32_t unitsX, int32_t unitsY,
                                const CMatrix4& m, uint32_t colour) {
    m_CardDigitCells.DrawCellColored(value / 10 % 10, 0, tensX, tensY, m, colour);
    m_CardDigitCells.DrawCellColored(value % 10, 0, unitsX, unitsY, m, colour);
}

void CR000Scene::_DrawCard() {
    // A card that was never built (or already released) has nothing to show.
    if (!m_CardBoard.IsLoaded()) return;
    const uint32_t colour = White(m_CardAlpha.GetValue());
    const CMatrix4 m = CardMatrix(m_CardScale.GetValue(), m_CardTurn.GetValue(), m_CardBoard.GetWidth(),
                                  m_CardBoard.GetHeight());
    const int32_t oldTotal = _OldTotal();
    const int32_t newTotal = _NewTotal();
    m_CardBoard.DrawMatrix(0, 0, m, colour);
    m_CardTitleCells.DrawCellColored(0, 0, 33, 39, m, colour);
    m_CardRowCells.DrawCellColored(0, 0, 33, 127, m, colour);
    m_CardRowCells.DrawCellColored(1, 0, 33, 168, m, colour);
    m_CardRowCells.DrawCellColored(2, 0, 33, 209, m, colour);
    m_CardArrow.DrawMatrix(288, 73, m, colour);
    m_CardLine.DrawMatrix(296, 136, m, colour);
    m_CardLine.DrawMatrix(296, 174, m, colour);
    m_CardRankCells.DrawCellColored(CStatus::RankOf(oldTotal), 0, 240, 40, m, colour);
    m_CardRankCells.DrawCellColored(CStatus::RankOf(newTotal), 0, 240, 84, m, colour);
    _DrawTwoDigits(RankToValue(oldTotal), 240, 136, 264, 132, m, colour);
    _DrawTwoDigits(RankToValue(newTotal), 320, 136, 344, 131, m, colour);
    _DrawTwoDigits(CStatus::RankBonusOf(oldTotal), 240, 171, 264, 176, m, colour);
    _DrawTwoDigits(CStatus::RankBonusOf(newTotal), 320, 173, 344, 168, m, colour);
    const int32_t toNext = CStatus::GetEvaluationToNextRank(newTotal);
    if (toNext >= 1000) m_CardDigitCells.DrawCellColored(toNext / 1000 % 10, 0, 272, 216, m, colour);
    if (toNext >= 100) m_CardDigitCells.DrawCellColored(toNext / 100 % 10, 0, 300, 211, m, colour);
    if (toNext >= 10) m_CardDigitCells.DrawCellColored(toNext / 10 % 10, 0, 328, 216, m, colour);
    m_CardDigitCells.DrawCellColored(toNext % 10, 0, 356, 211, m, colour);
}

void CR000Scene::Restore() {
    if (m_Board.IsMustReload()) BuildReport();
    if (m_CardBoard.IsMustReload()) BuildRankCard();
    for (CCountUpNumber& n : m_Numbers) n.OnDeviceRestored();
}

void CR000Scene::PrepareThumbnail() {
    DrawStageThumbnail(m_Owner);
    Draw();
}

CWorkReportMode::CWorkReportMode(CRaisingScene& owner)
    : CModeHostState(owner, std::make_unique<CR000Scene>(owner), ELayer::OVER_WINDOW) {}
