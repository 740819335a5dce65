#include "game/menus/title/BootChain.h"

#include "engine/base/Random.h"
#include "engine/draw/SceneManager.h"
#include "engine/sound/SoundBank.h"
#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/core/SystemData.h"
#include "game/core/VoiceName.h"

namespace {

constexpr int32_t kZoom = 53;
constexpr int32_t kLogoFrames = 60;

bool InTransition(CGameMain& game) { return game.GetSceneManager().IsInTransition(); }

}  // namespace

void CExitRelayScene::Update() {
    if (m_Closing || IsTopSceneInTransition()) {
        return;
    }
    m_Closing = true;
    m_Game.PostForceClose();
}

void CBootScene::Update() {
    if (!InTransition(m_Game)) {
        RequestGotoScene(3, kZoom, kLogoFrames);
    }
}

void CLogoScene1::Load() {
    m_Picture.LoadFile(kPicture);
    CRandom random;
    m_Voice = static_cast<int32_t>(random.Random(kVoiceCount));
    const char* file = kVoices[m_Voice];
    CSoundBank& bank = m_Game.GetSoundBank();
    if (m_Game.GetSystemData().GetVoiceSwitch(ClassifyVoiceName(file)) != 0) {
        bank.Load(2, 0, file);
    }
    // Played whether loaded or not: with the speaker switched off the slot is empty
    // and the play is silence.
    bank.SetVolume(2, 0, 100);
    bank.SetPan(2, 0, 0);
    bank.Play(2, 0, 1, 0, 0);
}

void CLogoScene1::Update() {
    if (InTransition(m_Game)) {
        return;
    }
    ++m_Counter;
    if (IsDecidePressed() || IsCancelPressed() || m_Counter > kFrames) {
        RequestGotoScene(4, kZoom, kLogoFrames);
    }
}

void CLogoScene2::Update() {
    if (InTransition(m_Game)) {
        return;
    }
    ++m_Counter;
    CSystemData& system = m_Game.GetSystemData();
    if (system.m_LogoSeen != 0) {
        if (IsDecidePressed() || IsCancelPressed() || m_Counter > kFrames) {
            RequestGotoScene(5, kZoom, kLogoFrames);
        }
    } else if (m_Counter > kFrames) {
        RequestGotoScene(5, kZoom, kLogoFrames);
        system.m_LogoSeen = 1;
    }
}

void CLogoScene3::Update() {
    if (!InTransition(m_Game)) {
        RequestGotoScene(6, 1, kLogoFrames);
    }
}
