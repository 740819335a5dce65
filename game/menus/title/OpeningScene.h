#pragma once
// Scene 6: over the wide background the title picture fades in over 80 frames, then the
// prompt over 20, then a picture swings gently until decide or cancel; it then turns
// through the rest of a full turn in 30 frames while fading out, and the title menu
// follows without a transition.  The two ambient sounds start here and keep playing
// into the title menu.
#include <cstdint>

#include "engine/adv/MotionEffectZoom.h"
#include "engine/base/Counter.h"
#include "engine/draw/ImagePlane.h"
#include "game/menus/title/GameScene.h"

class COpeningScene : public CGameScene {
public:
    static constexpr const char* kTitle = "obj\\w000_000.bmp";
    static constexpr const char* kPrompt = "obj\\b000_005.bmp";
    static constexpr const char* kSwing = "obj\\b000_006.bmp";
    static constexpr int32_t kSwingX = 264;
    static constexpr int32_t kSwingY = 480;
    static constexpr int kAmbientFadeInMs = 2000;

    explicit COpeningScene(CGameMain& game) : CGameScene(game) {}

    void Load() override;
    void Update() override;
    void Draw() override;

    int32_t GetState() const { return m_State; }
    int32_t GetAlpha() const { return m_Alpha; }
    int32_t GetAngle() const { return m_Angle; }
    int32_t GetPhase() const { return m_Phase; }
    // The swinging picture's transform for an angle (512 units a turn; a positive angle
    // turns it clockwise on the screen), about its centre with its unturned top-left
    // corner at (264, 480).
    static CMatrix4 SwingMatrix(int32_t angle, int32_t width, int32_t height);

private:
    CImagePlane m_Title;
    CImagePlane m_Prompt;
    CImagePlane m_Swing;
    CMotionEffect01 m_TitleFade;
    CMotionEffect01 m_PromptFade;
    int32_t m_State = 0;
    int32_t m_Alpha = 0;
    int32_t m_Angle = 0;
    int32_t m_Phase = 0;
    CCounterAccel m_Turn;
};
