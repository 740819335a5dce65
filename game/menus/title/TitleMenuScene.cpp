#include "game/menus/title/TitleMenuScene.h"

#include "game/core/GameMain.h"
#include "game/core/RunningGame.h"
#include "game/core/SaveData.h"
#include "game/core/SceneRequest.h"
#include "game/core/SystemData.h"
#include "game/menus/kit/MenuSounds.h"
#include "game/menus/title/Ambient.h"

namespace {

// The buttons that leave the title for another screen.
struct SChoice {
    int button;
    bool call;  // a plain call: the title is built again on the return
    int32_t scene;
    int32_t frames;
};
constexpr SChoice kChoices[] = {
    {0, false, 21, 120}, {2, true, 9, 15}, {3, false, 23, 60}, {4, true, 16, 15}, {5, true, 17, 15},
};

}  // namespace

void CTitleMenuScene::Load() {
    BeginWideBackground();
    m_Title.LoadFile(kTitle);
    m_Strip.LoadFile(kStrip);
    m_ButtonSheet.LoadFile(kButtonSheet);
    for (int i = 0; i < kButtonCount; ++i) {
        m_Buttons[static_cast<size_t>(i)].SetupColumn(&m_ButtonSheet, kButtonCount, 5, i);
    }
    if (m_Game.GetSaveData().m_Used == 0) {
        m_Buttons[3].Reset();
    }
    m_FirstButtonSheet.LoadFile(kFirstButtonSheet);
    m_Buttons[0].SetupColumn(&m_FirstButtonSheet, 1, 5, 0);
    for (int i = 0; i < kButtonCount; ++i) {
        m_Buttons[static_cast<size_t>(i)].SetPosition(kPlaces[static_cast<size_t>(i)].x,
                                                      kPlaces[static_cast<size_t>(i)].y);
    }
    m_Buttons[9].SetMomentary(true);
    for (int i : {1, 6, 7, 8}) {
        m_Buttons[static_cast<size_t>(i)].Reset();
    }
    m_Text.SetPosition(200, 440);
    StartAmbient(m_Game, kAmbientFadeInMs, true);
    m_Game.m_GameInProgress = 0;
    m_Game.m_ReplayFlag = 0;
}

void CTitleMenuScene::Update() {
    m_Game.StepWideBackground();
    m_Text.Update();
    if (m_IntroState >= 2 && !IsTopSceneInTransition()) {
        const SPoint at = m_Game.GetMouse().GetPosition();
        const bool decide = IsDecidePressed();
        m_Panel.SetCursor(at.x, at.y, decide);
        m_Panel.Update();
        if (m_Panel.IsOpen() && m_Panel.GetButton(0).HasImage()) {
            _PanelInput();
        } else {
            for (CImageButton& b : m_Buttons) {
                b.Update(at.x, at.y, decide);
                b.Step();
            }
            for (int i = 0; i < kButtonCount; ++i) {
                if (PlayButtonSounds(m_Game, m_Buttons[static_cast<size_t>(i)])) {
                    _Choose(i);
                }
            }
        }
    }
    if (m_IntroState == 0) {
        m_SlideCounter.Set(kSlide, 0, -kIntroFrames);
        m_FadeCounter.Set(0, 255, kIntroFrames);
        m_IntroState = 1;
    }
    if (m_IntroState == 1) {
        m_SlideCounter.Next();
        m_FadeCounter.Next();
        if (m_SlideCounter.IsAtEnd() && m_FadeCounter.IsAtEnd()) {
            m_IntroState = 2;
        }
        m_OffsetX = 0;
        m_OffsetY = m_SlideCounter.GetValue();
    }
}

void CTitleMenuScene::_PanelInput() {
    if (m_Panel.HoverBegan(0) || m_Panel.HoverBegan(1)) {
        m_Game.PlayChannel1();
    }
    const bool quitPanel = m_Panel.GetType() == kQuitPanel;
    if (m_Panel.BecameChecked(0)) {
        m_Game.PlayChannel0();
        m_Panel.Close();
        if (quitPanel) {
            Quit();
        }
    } else if (m_Panel.BecameChecked(1) || IsCancelPressed()) {
        m_Game.PlayChannel2();
        if (quitPanel) {
            m_Panel.Close();
        }
    }
}

void CTitleMenuScene::_Choose(int button) {
    if (button == 9) {
        // Switch 2 is the one the settings menu shows for every question.
        if (!m_Game.GetSystemData().IsConfirmOn()) {
            Quit();
        } else {
            m_Panel.SetupPanelButtons(kQuitPanel);
            m_Panel.Open();
        }
        return;
    }
    for (const SChoice& c : kChoices) {
        if (c.button != button) {
            continue;
        }
        if (c.call) {
            RequestCallScene(c.scene, 1, c.frames);
        } else {
            RequestGotoScene(c.scene, 1, c.frames);
        }
        if (button == 0) {
            ResetRunningGame(m_Game);
        }
        FadeOutAmbient(m_Game);
    }
}

void CTitleMenuScene::Quit() {
    RequestGotoScene(1, 1, 60);
    FadeOutAmbient(m_Game);
}

void CTitleMenuScene::Draw() {
    m_Game.DrawWideBackground();
    m_Title.Draw(336, 32, 0xFFFFFFFFu);
    if (m_IntroState < 2) {
        const uint32_t colour = static_cast<uint32_t>(m_FadeCounter.GetValue()) << 24 | 0x00FFFFFFu;
        m_Strip.Draw(m_OffsetX, kStripTop + m_OffsetY, colour);
        CMatrix4 slide;
        MatrixTranslation(&slide, static_cast<float>(m_OffsetX), static_cast<float>(m_OffsetY), 0.0f);
        for (CImageButton& b : m_Buttons) {
            b.Draw(colour, slide);
        }
    } else {
        m_Strip.Draw(0, kStripTop, 0xFFFFFFFFu);
        for (CImageButton& b : m_Buttons) {
            b.DrawPlain(0xFFFFFFFFu);
        }
    }
    m_Text.Draw();
    m_Panel.Draw();
}

void CTitleMenuScene::OnDeviceRestored() {
    for (CImageButton& b : m_Buttons) {
        b.Restore();
    }
    m_Panel.OnDeviceRestored();
}
