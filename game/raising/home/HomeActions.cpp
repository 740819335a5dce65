#include "game/raising/home/HomeActions.h"

#include "engine/base/Log.h"
#include "game/core/GameState.h"
#include "game/core/Status.h"
#include "game/raising/home/HomeHostMode.h"
#include "game/raising/ingame/RaisingScene.h"

namespace {

constexpr float kLoss = -0.25f;

SHomeChange Change(int32_t personality, int32_t temper, int32_t contentment, float reading, float sports, float art,
                   float music, float housework, int32_t cost) {
    return SHomeChange{personality, temper, contentment, {reading, sports, art, music, housework}, cost};
}

SHomeChange OutingChange(int32_t d) {
    switch (d) {
    case 0: case 1: case 2: case 3: case 4: case 5: case 14: case 16:
        return Change(1, 0, 0, kLoss, 2.0f, kLoss, kLoss, 0, 15);
    case 6: case 7: case 8: case 9: return Change(3, 0, 0, kLoss, 0, kLoss, kLoss, 0, 20);
    case 10: return Change(2, 0, 0, kLoss, 3.0f, kLoss, kLoss, 0, 25);
    case 11: return Change(2, 0, 0, kLoss, 1.0f, kLoss, kLoss, 2.0f, 25);
    case 12: return Change(4, 0, 0, kLoss, 1.0f, kLoss, kLoss, 0, 25);
    case 13: return Change(2, 0, 0, 0, 3.0f, 0, 0, 0, 25);
    case 15: case 17: return Change(2, 0, 0, kLoss, 3.0f, kLoss, kLoss, 0, 30);
    default: return {};
    }
}

SHomeChange RoomPlayChange(int32_t p) {
    if (p < 0 || p > 5) return {};
    SHomeChange c = Change(-2, 0, 0, 0, -0.5f, 0, 0, 0, 15);
    // Plays 1 to 3 are reading, drawing and music.
    if (p >= 1 && p <= 3) c.ability[p == 1 ? ABILITY_READING : p == 2 ? ABILITY_ART : ABILITY_MUSIC] = 1.75f;
    return c;
}

// The choices each action has.
constexpr int32_t kChoices[6] = {0, 3, 18, 6, 2, 1};

}  // namespace

SHomeChange HomeChangeOf(int32_t mode, int32_t choice) {
    if (mode < 1 || mode > 4 || choice < 0 || choice >= kChoices[mode]) return {};
    switch (mode) {
    case 1: return Change(-2, 2, 0, 0, 0, 0, 0, 2.0f, 15);
    case 2: return OutingChange(choice);
    case 3: return RoomPlayChange(choice);
    default: return Change(-1, -1, 1, 0, 0, 0, 0, -0.5f, 10);
    }
}

int32_t NursingFee(int32_t season, int32_t money) {
    // The whole part of money × 0.5 or × 0.35, exact in integers.
    const int64_t m = money;
    switch (season) {
    case 3: return m >= 75 ? 75 : m > 1 ? static_cast<int32_t>(m / 2) : m == 1 ? 1 : 0;
    case 4: return m >= 50 ? 50 : m > 1 ? static_cast<int32_t>(m * 35 / 100) : m == 1 ? 1 : 0;
    default: return 0;
    }
}

CHomeActionMode::CHomeActionMode(CHomeHostMode& host, int32_t id, int32_t kind, int32_t CGameState::*choice)
    : CModeState(host.GetOwner()), m_Host(host), m_Id(id), m_Kind(kind), m_Choice(choice) {}

int32_t CHomeActionMode::GetChoice() const { return m_Choice ? m_Owner.State().*m_Choice : 0; }

void CHomeActionMode::Update() {
    if (m_Host.IsHomeInTransition() || m_Owner.IsModeInTransition()) return;
    m_Owner.Stage().Update();
    if (!m_Owner.Stage().GetScriptEndFlag() || m_Owner.IsScriptRunning()) return;
    _Step();
}

void CHomeActionMode::_Step() {
    CStatus& status = m_Owner.Status();
    SStatusWords& w = status.Words();
    const int32_t choice = GetChoice();
    const SHomeChange change = HomeChangeOf(m_Id, choice);
    switch (m_Step) {
    case 0:
        if (change.cost == 0) DebugPrintf("CHomeActionMode::Update() 選択が不正です[%d, %d]", m_Id, choice);
        w.pendingPersonality = change.personality;
        w.pendingTemper = change.temper;
        w.pendingContentment = change.contentment;
        for (int a = 0; a < ABILITY_COUNT; ++a) w.pendingAbility[a] = change.ability[a];
        // The month report shows the change while the event plays.
        w.monthPersonalityChange = change.personality;
        w.monthMindChange = change.contentment;
        w.monthReadingChange = change.ability[ABILITY_READING];
        w.monthSportsChange = change.ability[ABILITY_SPORTS];
        w.monthArtChange = change.ability[ABILITY_ART];
        w.monthMusicChange = change.ability[ABILITY_MUSIC];
        w.monthHouseworkChange = change.ability[ABILITY_HOUSEWORK];
        m_Owner.StartEvent(m_Kind, choice);
        m_Step = 1;
        break;
    case 1:
    case 5: ++m_Step; break;
    case 2:
        status.AddPersonality(w.pendingPersonality);
        status.AddTemper(w.pendingTemper);
        status.AddContentment(w.pendingContentment);
        for (int a = 0; a < ABILITY_COUNT; ++a) status.AddAbility(static_cast<EAbility>(a), w.pendingAbility[a]);
        w.pendingPersonality = w.pendingTemper = w.pendingContentment = 0;
        for (float& f : w.pendingAbility) f = 0;
        m_Step = 3;
        break;
    case 3:
        if (change.cost != 0) {
            const int32_t extra = status.GetParam(107, 0) == kSleepGodSeason ? kSleepGodExtra : 0;
            status.AddSatietyCopy(-(change.cost + extra));
            status.AddGrowth(1);
            _Count(status, choice);
            status.SetParam(126, 22, status.GetParam(126, 22) + 1);
        }
        m_Step = 4;
        break;
    case 4:
        if (m_Owner.HasEvent(kClosingKind, 0)) m_Owner.Stage().StopSoundGroup(0, kMusicFadeMs);
        m_Owner.StartEvent(kClosingKind, 0);
        m_Step = 5;
        break;
    case 6:
        _ReturnToMenu();
        m_Step = 7;
        break;
    default: break;
    }
}

void CHomeActionMode::_ReturnToMenu() { m_Host.StartHomeMode(CHomeModeFactory::kMenu, 0, 0); }

void CHomeActionMode::Draw() { m_Owner.Stage().Draw(); }

void CHomeActionMode::OnDeviceRestored() { m_Owner.Stage().OnDeviceRestored(); }

void CHomeActionMode::SaveState(CGameState& state) { state.SetHomeModeWord(m_Id, 0, m_Step); }

void CHomeActionMode::LoadState(const CGameState& state) { m_Step = state.GetHomeModeWord(m_Id, 0); }

void CHomeActionMode::PrepareThumbnail() { DrawStageThumbnail(m_Owner); }

void CHomeActionMode::_Count(CStatus& status, int32_t choice) {
    // Housework kinds, room plays and rest choices count in the home block; outings
    // have a word each without an address.
    switch (m_Id) {
    case 1: status.SetParam(101, 2 + choice, status.GetParam(101, 2 + choice) + 1); break;
    case 2: ++status.Words().outingCounter[choice]; break;
    case 3: status.SetParam(101, 21 + choice, status.GetParam(101, 21 + choice) + 1); break;
    case 4: status.SetParam(101, 28 + choice, status.GetParam(101, 28 + choice) + 1); break;
    default: break;
    }
}

// ---- nursing ----

void CNursingMode::_Step() {
    CStatus& status = m_Owner.Status();
    switch (m_Step) {
    case 0:
        m_Owner.StartEvent(m_Kind, 0);
        m_Step = 1;
        break;
    case 1: m_Step = 2; break;
    case 2: {
        const int32_t fee = NursingFee(status.GetParam(107, 0), status.GetParam(104, 0));
        if (fee > 0) status.AddMoney(-fee);
        m_Step = 3;
        break;
    }
    case 3:
        status.SetParam(107, 0, 0);
        status.SetParam(126, 20, 1);
        status.SetParam(126, 21, 1);
        status.SetParam(100, 9, 0);
        _ReturnToMenu();
        m_Step = 4;
        break;
    default: break;
    }
}
