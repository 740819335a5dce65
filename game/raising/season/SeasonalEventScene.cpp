#include "game/raising/season/SeasonalEventScene.h"

#include <algorithm>

#include "engine/base/Random.h"
#include "engine/base/SinTable.h"
#include "game/core/GameState.h"
#include "game/core/SceneRequest.h"
#include "game/raising/ingame/RaisingScene.h"
#include "game/raising/season/CellPicture.h"

namespace {

constexpr int32_t kFull = 1024;

}  // namespace

CG000Scene::CG000Scene(CRaisingScene& owner) : CModeState(owner) {}

CG000Scene::~CG000Scene() = default;

// ---- chance ----

CRandom& CG000Scene::AbilityRandom() {
    static CRandom random;
    return random;
}

bool CG000Scene::Chance(CRandom& random, int32_t t) {
    uint32_t draw = random.Random(101);
    while (static_cast<int32_t>(draw) == t) draw = random.Random(101);
    return static_cast<int32_t>(draw) < t;
}

int32_t CG000Scene::ContentChance(int32_t contentment, double c) {
    const int32_t cut = static_cast<int32_t>(contentment * c);
    return std::clamp(100 - cut, 0, 100);
}

bool CG000Scene::RollAbility(int i) {
    if (i < 0 || i > 3) return false;
    CStatus& status = m_Owner.Status();
    int32_t base = 0;
    switch (status.GetItemAbilityBonus(i)) {
    case 2: base = 10; break;
    case 3:
    case 5: base = 15; break;
    case 4:
    case 6: base = 20; break;
    case 7: base = 25; break;
    default: return false;
    }
    const int32_t mastery = status.Words().abilityMastery[i];
    int32_t bonus = 0;
    if (mastery >= 90) {
        bonus = 25;
    } else if (mastery >= 80) {
        bonus = 20;
    } else if (mastery >= 70) {
        bonus = 15;
    } else if (mastery >= 60) {
        bonus = 10;
    } else if (mastery >= 50) {
        bonus = 5;
    } else if (mastery >= 40) {
        bonus = 2;
    } else {
        return false;
    }
    return Chance(AbilityRandom(), base + bonus);
}

// ---- the choice of the kind ----

int32_t CG000Scene::_ChooseKind() {
    CStatus& status = m_Owner.Status();
    const SStatusWords& w = status.Words();
    if (w.seasonGap < 2 || w.year == 1 || (w.year == 2 && w.month >= 1 && w.month <= 3)) return 0;
    CRandom random;
    const int32_t mind = status.GetParam(100, 2);
    const bool content = status.GetParam(110, 0) != 0;
    auto p = [&random](int32_t t) { return Chance(random, t); };
    int32_t kind = 0;
    bool night = false;
    switch (w.month) {
    case 1:
    case 2:
        kind = p(25) && p(ContentChance(mind, 0.2)) ? 4 : 0;
        night = true;
        break;
    case 3:
    case 4: kind = content && p(25) && p(ContentChance(mind, 0.4)) ? 6 : 0; break;
    case 5:
    case 6: kind = p(25) && p(ContentChance(mind, 0.2)) ? 3 : 0; break;
    case 7: kind = p(25) && p(ContentChance(mind, 0.4)) ? 7 : 0; break;
    case 8: kind = p(25) ? 8 : 0; break;
    case 10:
        if (p(25)) kind = random.Random(2) == 0 ? 1 : (content ? 2 : 0);
        night = true;
        break;
    case 12:
        kind = content && p(25) ? 5 : 0;
        night = true;
        break;
    default: break;
    }
    if (kind == 0) return 0;
    CMainGameScene& stage = m_Owner.Stage();
    stage.PrepareLayerChange(CMainGameScene::kBackgroundLayer);
    if (night) {
        stage.ShowLayerImageAlt(CMainGameScene::kBackgroundLayer, kNightBackground);
    } else {
        stage.ShowTimeBackground(CMainGameScene::kBackgroundLayer, 0);
        stage.SetLayerPos(CMainGameScene::kBackgroundLayer, 0, 0);
        stage.SetLayerLevel(CMainGameScene::kBackgroundLayer, 256);
    }
    return kind;
}

void CG000Scene::Load() {
    SStatusWords& w = m_Owner.Status().Words();
    m_Kind = 0;
    w.lastSeasonKind = 0;
    w.seasonDone = 0;
    w.seasonLoss = 0;
    w.seasonValue = 0;
    m_Kind = _ChooseKind();
}

// ---- pictures ----

void CG000Scene::_BuildPictures() {
    for (int n = 0; n < 3; ++n) {
        // The third sheet has no cell for kind 1, which never shows it.
        const int32_t cell = n == 2 ? m_Kind - 2 : m_Kind - 1;
        if (cell < 0) {
            m_Pictures[n].plane.Release();
            continue;
        }
        BuildCellPicture(m_Pictures[n].plane, kSheets[n], kSheetCells, cell);
    }
}

void CG000Scene::_Open(int n) {
    SPicture& p = m_Pictures[n];
    p.state = kOpening;
    p.alpha.Set(0, 255, n == 1 ? 20 : 30);
    if (n == 0) {
        m_Scale.Set(0, kFull, 30);
        m_Turn.Set(2 * kFull, kFull, -30);
    }
}

void CG000Scene::_Close(int n) {
    SPicture& p = m_Pictures[n];
    if (p.state == kClosed) return;
    p.state = kClosing;
    p.alpha.Set(255, 0, n == 2 ? 30 : 20);
    if (n == 0) {
        m_Scale.Set(kFull, kFull, 0);
        m_Turn.Set(kFull, kFull, 0);
    }
}

void CG000Scene::_SetOpen(int n) {
    SPicture& p = m_Pictures[n];
    p.state = kOpen;
    p.alpha.Set(255, 255, 0);
    if (n == 0) {
        m_Scale.Set(kFull, kFull, 0);
        m_Turn.Set(kFull, kFull, 0);
    }
}

void CG000Scene::_StepPicture(int n) {
    SPicture& p = m_Pictures[n];
    if (p.state != kOpening && p.state != kClosing) return;
    p.alpha.Next();
    bool ended = p.alpha.IsEnd();
    if (n == 0) {
        m_Scale.Next();
        m_Turn.Next();
        ended = ended && m_Scale.IsEnd() && m_Turn.IsEnd();
    }
    if (ended) p.state = p.state == kOpening ? kOpen : kClosed;
}

int32_t CG000Scene::TurnAngle(int32_t turn) {
    const int32_t v = (CSinTable::Sin(turn / 8) * 1024) >> 16;
    return ((v % 512) + 512) % 512;
}

CMatrix4 CG000Scene::TurnMatrix(int32_t scale, int32_t turn, int32_t width, int32_t height) {
    CMatrix4 toCentre;
    MatrixTranslation(&toCentre, -width / 2.0f, -height / 2.0f, 0.0f);
    const float s = static_cast<float>(scale) / kFull;
    CMatrix4 size;
    MatrixScaling(&size, s, s, 1.0f);
    CMatrix4 rotate;
    MatrixRotationSin(&rotate, TurnAngle(turn));
    CMatrix4 back;
    MatrixTranslation(&back, width / 2.0f + kPictureAt[0].x, height / 2.0f + kPictureAt[0].y, 0.0f);
    CMatrix4 out;
    MatrixMultiply(&out, &toCentre, &size);
    MatrixMultiply(&out, &out, &rotate);
    MatrixMultiply(&out, &out, &back);
    return out;
}

// ---- the frame ----

// Kinds 3, 4, 7 and 8 have tests and outcomes too, but state 6 never sends them here.
bool CG000Scene::_TestAbility() {
    const CStatus& status = m_Owner.Status();
    switch (m_Kind) {
    case 2: return RollAbility(2);
    case 3: return status.GetParam(102, kFlagEpidemic) == 0 && RollAbility(0);
    case 4: return status.GetParam(102, kFlagCold) == 0 && RollAbility(1);
    case 5: return RollAbility(3);
    case 6: return status.GetParam(102, kFlagGod) == 0 && RollAbility(2);
    case 7: return status.GetParam(102, kFlagGod) == 0 && RollAbility(1);
    case 8: return RollAbility(0);
    default: return false;
    }
}

void CG000Scene::_ApplyOutcome() {
    CStatus& status = m_Owner.Status();
    switch (m_Kind) {
    case 2: status.Words().seasonDone = 1; break;
    case 5:
        status.Words().seasonDone = 1;
        status.AddMoney(status.Words().seasonLoss);
        break;
    case 3: status.RaiseFlag(kFlagEpidemic, 1); break;
    case 4: status.RaiseFlag(kFlagCold, 1); break;
    case 6:
    case 7: status.RaiseFlag(kFlagGod, 1); break;
    case 8:
        status.Words().seasonDone = 1;
        status.AddSatietyCopy(status.Words().seasonValue);
        break;
    default: break;
    }
}

void CG000Scene::Update() {
    for (int n = 0; n < 3; ++n) _StepPicture(n);
    CMainGameScene& stage = m_Owner.Stage();
    switch (m_State) {
    case 0:
        if (m_Kind == 0) {
            m_State = -1;
            break;
        }
        // Closes every slide picture; the panel has no item 0 to show.
        m_Owner.ShowSlidePicture(0);
        _BuildPictures();
        _Open(0);
        m_Timer = kFirstWait;
        m_Owner.Status().Words().seasonGap = 0;
        m_State = 1;
        break;
    case 1:
        if (!_IsStill(0, kOpen)) break;
        if (m_Timer < 1 || IsDecidePressed() || IsCancelPressed()) m_State = 2;
        --m_Timer;
        break;
    case 2:
        _Open(1);
        if (m_Kind != 1 && m_Owner.HasEvent(2, m_Kind + 7)) {
            _Open(2);
            m_Third = true;
            stage.EnableHelpButtons(1);
        }
        m_Timer = kSecondWait;
        m_State = 3;
        break;
    case 3:
        if (!_IsStill(1, kOpen) || (m_Third && !_IsStill(2, kOpen))) break;
        if (m_Timer < 1 || IsDecidePressed() || IsCancelPressed()) {
            for (int n = 0; n < 3; ++n) _Close(n);
            stage.EnableHelpButtons(1);
            m_State = 4;
        }
        --m_Timer;
        break;
    case 4:
        if (_IsStill(0, kClosed) && _IsStill(1, kClosed) && (!m_Third || _IsStill(2, kClosed))) {
            m_Owner.StartEvent(2, m_Kind - 1);
            m_State = 5;
        }
        break;
    case 5:
    case 9:
        if (!m_Owner.IsScriptRunning()) ++m_State;
        break;
    case 6: {
        CStatus& status = m_Owner.Status();
        status.Words().lastSeasonKind = m_Kind;
        if (m_Kind == 5) {
            const int32_t v = status.Words().money / 6;
            status.AddMoney(-v);
            status.Words().seasonLoss = v;
        }
        m_State = m_Kind == 2 || m_Kind == 5 || m_Kind == 6 ? 7 : 100;
        break;
    }
    case 7: m_State = _TestAbility() ? 8 : 100; break;
    case 8:
        m_Owner.StartEvent(2, m_Kind + 7);
        m_State = 9;
        break;
    case 10:
        _ApplyOutcome();
        m_State = 100;
        break;
    case 100:
        m_Owner.ClearMode();
        m_State = 101;
        break;
    case -1:
        m_Owner.ClearMode();
        m_State = -2;
        break;
    default: break;
    }
}

void CG000Scene::Draw() {
    for (int n = 0; n < 3; ++n) {
        SPicture& p = m_Pictures[n];
        if (p.state == kClosed || !p.plane.IsLoaded()) continue;
        const SPoint at = kPictureAt[n];
        if (p.state == kOpen) {
            p.plane.Draw(at.x, at.y);
        } else if (n == 0) {
            p.plane.DrawMatrix(0, 0, TurnMatrix(m_Scale.GetValue(), m_Turn.GetValue(), p.plane.GetWidth(), p.plane.GetHeight()),
                               FadeColour(p.alpha.GetValue()));
        } else {
            p.plane.Draw(at.x, at.y, FadeColour(p.alpha.GetValue()));
        }
    }
}

void CG000Scene::OnDeviceRestored() {
    for (SPicture& p : m_Pictures) {
        if (p.plane.IsLoaded()) p.plane.Restore();
    }
}

void CG000Scene::PrepareThumbnail() {
    DrawStageThumbnail(m_Owner);
    Draw();
}

void CG000Scene::SaveState(CGameState& state) {
    state.SetModeWord(kModeId, 0, m_State);
    state.SetModeWord(kModeId, 1, m_Kind);
    state.SetModeWord(kModeId, 2, m_Third ? 1 : 0);
}

void CG000Scene::LoadState(const CGameState& state) {
    m_State = state.GetModeWord(kModeId, 0);
    m_Kind = std::clamp(state.GetModeWord(kModeId, 1), 0, kSheetCells);
    m_Third = state.GetModeWord(kModeId, 2) != 0;
    for (SPicture& p : m_Pictures) p.state = kClosed;
    _BuildPictures();
    switch (m_State) {
    case 1: m_State = 0; break;
    case 2: _SetOpen(0); break;
    case 3:
        _SetOpen(0);
        m_State = 2;
        break;
    case 100:
    case 101: m_Owner.ClearMode(); break;
    default: break;
    }
}

// ---- the host ----

CG000ModeState::CG000ModeState(CRaisingScene& owner) : CModeHostState(owner, std::make_unique<CG000Scene>(owner)) {}

void CG000ModeState::Load() {
    CModeHostState::Load();
    m_Owner.Stage().SetMessageOn();
}
