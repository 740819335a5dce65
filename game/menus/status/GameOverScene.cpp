#include "game/menus/status/GameOverScene.h"

#include "engine/draw/SceneManager.h"
#include "engine/sound/SoundBank.h"
#include "game/core/GameMain.h"
#include "game/core/RunningGame.h"
#include "game/core/SaveData.h"
#include "game/core/SceneRequest.h"
#include "game/menus/kit/MenuSounds.h"

void CV000Scene::Load() {
    m_Picture.LoadFile(kPicture);
    m_ButtonSheet.LoadFile(kButtonSheet);
    for (size_t i = 0; i < m_Buttons.size(); ++i) {
        m_Buttons[i].SetupColumn(&m_ButtonSheet, 2, 5, static_cast<int32_t>(i));
        m_Buttons[i].SetMomentary(true);
        m_Buttons[i].SetPosition(kButtonPlaces[i].x, kButtonPlaces[i].y);
    }
}

void CV000Scene::Update() {
    const int32_t state = m_State;
    switch (state) {
    case STATE_BLACK:
        if (++m_Frames > kBlackFrames) {
            m_State = STATE_FADE_IN;
            m_Fade.Set(0, 255, kFadeSteps);
        }
        break;
    case STATE_FADE_IN:
        m_Fade.Next();
        if (m_Fade.IsAtEnd()) m_State = STATE_CHOOSE;
        break;
    case STATE_CHOOSE: {
        const SPoint at = m_Game.GetMouse().GetPosition();
        const bool decide = IsDecidePressed();
        for (CImageButton& b : m_Buttons) b.Update(at.x, at.y, decide);
        if (IsCancelPressed()) {
            m_Game.PlayChannel2();
            m_State = STATE_LEAVE;
        }
        break;
    }
    case STATE_LEAVE:
        m_Fade.Set(255, 0, kFadeSteps);
        m_State = STATE_FADE_OUT;
        break;
    case STATE_FADE_OUT:
        m_Fade.Next();
        if (m_Fade.IsAtEnd()) m_State = STATE_END;
        break;
    case STATE_END:
        _End();
        m_State = STATE_DONE;
        break;
    default: break;
    }
    if (state >= STATE_FADE_IN && state <= STATE_END) {
        if (state != STATE_CHOOSE) {
            for (CImageButton& b : m_Buttons) b.Update(-1, -1, false);
        }
        for (CImageButton& b : m_Buttons) b.Step();
    }
    if (PlayButtonSounds(m_Game, m_Buttons[0])) {
        RequestCallSceneKeep(kLoadScene, 1, 20);
    }
    if (PlayButtonSounds(m_Game, m_Buttons[1])) {
        m_State = STATE_LEAVE;
    }
}

void CV000Scene::_End() {
    CSoundBank& bank = m_Game.GetSoundBank();
    for (int group = 0; group < 3; ++group) bank.StopGroup(group, kSoundFadeMs);
    CSceneManager& top = m_Game.GetSceneManager();
    top.EndAll();
    top.GoTo(kRestartScene);
    top.Transition(1, kRestartFrames);
    ResetRunningGame(m_Game);
    // Written after the reset, then the record itself is cleared: what the next
    // start finds is a clean game.
    m_Game.WriteCurrentSave();
    m_Game.GetSaveData().Reset();
    // The game is over: nothing of it is kept should the program end before the title.
    m_Game.m_GameInProgress = 0;
}

void CV000Scene::Draw() {
    ClearToBlack();
    uint32_t colour = 0xFFFFFFFFu;
    if (m_State == STATE_FADE_IN || m_State == STATE_FADE_OUT) {
        colour = static_cast<uint32_t>(m_Fade.GetValue()) << 24 | 0x00FFFFFFu;
    } else if (m_State != STATE_CHOOSE && m_State != STATE_LEAVE) {
        return;
    }
    m_Picture.Draw(0, 0, colour);
    for (CImageButton& b : m_Buttons) b.DrawPlain(colour);
}
