#pragma once
// Scene 18, the game over: 100 frames of black, the picture fading in over 30 frames,
// then two buttons: load a saved game (the load screen is called over this scene,
// which waits where it was) or end.  Ending (also by cancel) fades the picture out,
// fades the sounds out, resets the running game and its save record and starts the
// chain again at logo 3.
#include <array>
#include <cstdint>

#include "engine/base/Counter.h"
#include "engine/draw/ImagePlane.h"
#include "game/core/ImageButton.h"
#include "game/menus/title/GameScene.h"

class CV000Scene : public CGameScene {
public:
    static constexpr const char* kPicture = "obj\\v_000_000.bmp";
    static constexpr const char* kButtonSheet = "obj\\v_000_001.bmp";  // 2 × 5
    static constexpr std::array<SPoint, 2> kButtonPlaces = {SPoint{272, 328}, SPoint{272, 368}};
    static constexpr int32_t kBlackFrames = 100;
    static constexpr int32_t kFadeSteps = 30;
    static constexpr int kSoundFadeMs = 900;
    static constexpr int32_t kLoadScene = 10;
    static constexpr int32_t kRestartScene = 5;
    static constexpr int32_t kRestartFrames = 60;

    enum EState : int32_t {
        STATE_BLACK = 0,
        STATE_FADE_IN = 1,
        STATE_CHOOSE = 2,
        STATE_LEAVE = 3,
        STATE_FADE_OUT = 4,
        STATE_END = 5,
        STATE_DONE = 6,
    };

    explicit CV000Scene(CGameMain& game) : CGameScene(game) {}

    void Load() override;
    void Update() override;
    void Draw() override;

    int32_t GetState() const { return m_State; }
    const CImageButton& GetButton(int i) const { return m_Buttons[static_cast<size_t>(i)]; }

private:
    void _End();

    CImagePlane m_Picture;
    CImagePlane m_ButtonSheet;
    std::array<CImageButton, 2> m_Buttons;
    int32_t m_State = STATE_BLACK;
    int32_t m_Frames = 0;
    CCounterLinear m_Fade;
};
