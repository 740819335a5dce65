#include "game/raising/mansion/ActionModes.h"

#include <memory>

#include "engine/base/Log.h"
#include "game/core/GameState.h"
#include "game/raising/event/ChooseCandidate.h"
#include "game/raising/ingame/RaisingScene.h"
#include "game/raising/mansion/MansionHostMode.h"

using namespace mansion;

namespace {

constexpr int32_t kStepRaise = 5;

// One generator per mode class, made on first use.
template <class Mode>
CRandom& ClassGenerator() {
    static std::unique_ptr<CRandom> generator;
    if (!generator) generator = std::make_unique<CRandom>();
    return *generator;
}

}  // namespace

// ---- the shared step machine ----

void CMansionActionMode::Update() {
    if (_InTransition()) return;
    m_Owner.Stage().UpdateStage();
    if (!m_Owner.Stage().GetScriptEndFlag() || m_Owner.IsScriptRunning()) return;
    switch (m_Step) {
    case 0:
        _Begin();
        m_Step = 1;
        break;
    case 1: m_Step = 2; break;  // the frame test saw the script end
    case 2: m_Step = _Apply(); break;
    case kStepFinish:
        _Finish();
        m_Host.ReturnToMenu(0, 0);
        m_Step = 4;
        break;
    case kStepRaise:
        m_Owner.StartEvent(17, 1);
        m_Step = 6;
        break;
    case 6: m_Step = kStepFinish; break;
    default: break;
    }
}

void CMansionActionMode::Draw() { m_Owner.Stage().Draw(); }

void CMansionActionMode::OnDeviceRestored() { m_Owner.Stage().OnDeviceRestored(); }

void CMansionActionMode::PrepareThumbnail() { DrawStageThumbnail(m_Owner); }

void CMansionActionMode::SaveState(CGameState& state) {
    state.SetMansionModeWord(m_ModeId, 0, m_Step);
    state.SetMansionModeWord(m_ModeId, 1, m_Partner);
}

void CMansionActionMode::LoadState(const CGameState& state) {
    m_Step = state.GetMansionModeWord(m_ModeId, 0);
    m_Partner = state.GetMansionModeWord(m_ModeId, 1);
}

CStatus& CMansionActionMode::_Status() { return m_Owner.Status(); }

SStatusWords& CMansionActionMode::_Words() { return m_Owner.Status().Words(); }

void CMansionActionMode::_ApplyPending(int32_t& pending, void (CStatus::*adder)(int32_t)) {
    (_Status().*adder)(pending);
    pending = 0;
}

void CMansionActionMode::_Count(int32_t index) { _Status().SetParam(103, index, _Status().GetParam(103, index) + 1); }

int32_t CMansionActionMode::_Chosen(int32_t value, int32_t last, const char* what) const {
    if (value >= 0 && value <= last) return value;
    DebugPrintf("CMansionActionMode::_Chosen() %sが不正です[%d]", what, value);
    return 0;
}

// ---- partner actions ----

void CPartnerActionMode::Load() {
    const CStatus& status = m_Owner.Status();
    // The occasion's own event of partner 5 (its sub) takes the place of any friend.
    if (m_Owner.HasEvent(m_Action == EPartnerAction::WORK ? 6 : 15, PartnerSub(m_Action, kForcedPartner))) {
        m_Partner = kForcedPartner;
        return;
    }
    const int chosen = ChooseCandidate(status, PartnerEligibility(status, m_Action));
    CRandom& generator = _Generator();
    m_Partner = DrawPartner(chosen, PartnerChance(status, m_Action, chosen), [&generator] { return generator.Random(101); });
}

void CPartnerActionMode::_CountPartner(int32_t first) {
    if (m_Partner >= 0 && m_Partner <= kNoPartner) _Count(first + m_Partner);
}

CRandom& CMansionWorkMode::Generator() { return ClassGenerator<CMansionWorkMode>(); }

void CMansionWorkMode::_Begin() {
    m_Owner.StartEvent(6, GetSub());
    SStatusWords& w = _Words();
    w.pendingWorkGain = WorkGain(_Status(), m_Partner);
    w.monthWorkGain = w.pendingWorkGain;
}

int32_t CMansionWorkMode::_Apply() {
    _Status().AddWorkAmount(_Words().pendingWorkGain);
    _ApplyPending(_Words().pendingWorkGain, &CStatus::AddEvaluation);
    return kStepFinish;
}

void CMansionWorkMode::_Finish() {
    _Status().AddStamina(-8);
    _CountPartner(7);
}

CRandom& CTrainingMode::Generator() { return ClassGenerator<CTrainingMode>(); }

void CTrainingMode::_Begin() {
    m_Owner.StartEvent(15, GetSub());
    SStatusWords& w = _Words();
    w.pendingTrainingGain = TrainingGain(_Status(), m_Partner);
    w.monthSkillGain = w.pendingTrainingGain;
    // The script shows the points the training will reach.
    _Status().SetParam(140, 1, w.abilityPoints + w.pendingTrainingGain);
}

int32_t CTrainingMode::_Apply() {
    _ApplyPending(_Words().pendingTrainingGain, &CStatus::AddAbilityPoints);
    return kStepFinish;
}

void CTrainingMode::_Finish() {
    _Status().AddStamina(-5);
    _CountPartner(22);
}

// ---- exchange ----

int32_t CFriendExchangeMode::_Friend() const { return _Chosen(m_Owner.State().m_ChosenFriend, 3, "友達"); }

int32_t CFriendExchangeMode::_Manner() const { return _Chosen(m_Owner.State().m_ChosenManner, 1, "過ごし方"); }

void CFriendExchangeMode::_Begin() {
    const int32_t f = _Friend();
    const int32_t manner = _Manner();
    m_Owner.StartEvent(7, f + 1 + 4 * manner);
    SStatusWords& w = _Words();
    w.pendingExchangeGain[f] = ExchangeGain(_Status(), f, manner);
    w.monthExchangeGain[f] = w.pendingExchangeGain[f];
}

int32_t CFriendExchangeMode::_Apply() {
    const int32_t f = _Friend();
    SStatusWords& w = _Words();
    _Status().AddExchange(f, w.pendingExchangeGain[f]);
    w.pendingExchangeGain[f] = 0;
    // Paid after the time together, and only for the first manner.
    if (_Manner() == 0) _Status().AddMoney(-kPrice);
    return kStepFinish;
}

void CFriendExchangeMode::_Finish() {
    _Status().AddStamina(-6);
    ++_Words().exchangeCounter[_Friend()][_Manner()];
}

// ---- bond ----

int32_t CFriendBondMode::_Friend() const { return _Chosen(m_Owner.State().m_ChosenBondFriend, 3, "友達"); }

void CFriendBondMode::_Begin() {
    const int32_t f = _Friend();
    m_Owner.StartEvent(11, f + 1);
    SStatusWords& w = _Words();
    w.pendingBondGain[f] = _Status().GetMainRank();
    w.monthGratitudeGain[f] = w.pendingBondGain[f];
}

int32_t CFriendBondMode::_Apply() {
    const int32_t f = _Friend();
    SStatusWords& w = _Words();
    _Status().AddFriendSecond(f, w.pendingBondGain[f]);
    w.pendingBondGain[f] = 0;
    return kStepFinish;
}

void CFriendBondMode::_Finish() {
    _Status().AddStamina(-6);
    _Count(17 + _Friend());
}

// ---- job ----

void CPartTimeJobMode::_Begin() {
    m_Owner.StartEvent(17, 0);
    SStatusWords& w = _Words();
    // The pay and the cost of the count the menu showed, before this job counts.
    w.pendingJobPay = _Status().GetTierValue240();
    w.pendingJobEvaluation = -_Status().GetTierValue16();
    w.monthPay = w.pendingJobPay;
    w.monthEvaluationLoss = w.pendingJobEvaluation;
}

int32_t CPartTimeJobMode::_Apply() {
    CStatus& status = _Status();
    SStatusWords& w = _Words();
    const int before = status.GetTierValue240();
    ++w.jobCount;
    const int after = status.GetTierValue240();
    status.AddMoney(w.pendingJobPay);
    status.AddEvaluation(w.pendingJobEvaluation);
    w.pendingJobPay = 0;
    w.pendingJobEvaluation = 0;
    return after > before ? kStepRaise : kStepFinish;
}

void CPartTimeJobMode::_Finish() { _Status().AddStamina(-10); }

// ---- meal ----

int32_t CMealMode::_Meal() const { return _Chosen(m_Owner.State().m_ChosenMeal, 2, "食事"); }

void CMealMode::_Begin() {
    const int32_t meal = _Meal();
    _Status().AddMoney(-kPrice[meal]);
    if (!m_Owner.StartEvent(18, 0)) m_Owner.StartEvent(18, meal + 1);
    SStatusWords& w = _Words();
    w.pendingMealStamina = kStamina[meal];
    w.monthStaminaGain = w.pendingMealStamina;
}

int32_t CMealMode::_Apply() {
    _ApplyPending(_Words().pendingMealStamina, &CStatus::AddStamina);
    return kStepFinish;
}

void CMealMode::_Finish() {
    ++_Words().mealCounter[_Meal()];
    _Words().mealDone = 1;
}

// ---- small expense ----

void CMindCareMode::_Begin() {
    _Status().AddMoney(-kPrice);
    m_Owner.StartEvent(21, 0);
    SStatusWords& w = _Words();
    w.pendingContentmentGain = kGain;
    w.monthMindChange = w.pendingContentmentGain;
}

int32_t CMindCareMode::_Apply() {
    _ApplyPending(_Words().pendingContentmentGain, &CStatus::AddContentment);
    return kStepFinish;
}

void CMindCareMode::_Finish() {
    _Status().AddStamina(-2);
    _Count(6);
    _Words().smallExpenseDone = 1;
}
