#pragma once
// Scene 7, the title menu: the title picture over the wide background and a strip of
// menu buttons that slides in from below while it fades in (30 frames; no clicks
// before).  A new game, continuing the automatic save, the load screen, the settings
// menu, the guide and quitting, with or without the confirmation panel (switch 2 of
// the system data).  Screens are called with a plain call, so every return builds the
// title again: the strip slides in again and silent ambient sounds fade in again.
#include <array>
#include <cstdint>

#include "engine/base/Counter.h"
#include "engine/draw/ImagePlane.h"
#include "engine/draw/TextObject.h"
#include "game/core/ImageButton.h"
#include "game/menus/title/GameScene.h"
#include "game/raising/panel/ButtonPanel.h"

class CTitleMenuScene : public CGameScene {
public:
    static constexpr int kButtonCount = 10;
    static constexpr const char* kTitle = "obj\\w000_000.bmp";
    static constexpr const char* kStrip = "obj\\b000_007.bmp";
    static constexpr const char* kButtonSheet = "obj\\b000_008.bmp";
    static constexpr const char* kFirstButtonSheet = "obj\\w000_001.bmp";
    static constexpr int32_t kStripTop = 400;
    static constexpr int32_t kSlide = 200;
    static constexpr int32_t kIntroFrames = 30;
    static constexpr int kAmbientFadeInMs = 1000;
    static constexpr int32_t kQuitPanel = 2;
    // The buttons' places; 1, 6, 7 and 8 are cleared at load.
    static constexpr std::array<SPoint, kButtonCount> kPlaces = {
        SPoint{8, 400},   SPoint{8, 440},   SPoint{8, 480},   SPoint{8, 520},   SPoint{8, 560},
        SPoint{616, 400}, SPoint{616, 440}, SPoint{616, 480}, SPoint{616, 520}, SPoint{616, 560}};

    explicit CTitleMenuScene(CGameMain& game) : CGameScene(game) {}

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

    // To the exit relay with a fade over 60 frames; the ambient sounds fade out.
    void Quit();

    int32_t GetIntroState() const { return m_IntroState; }
    int32_t GetStripOffset() const { return m_OffsetY; }
    const CImageButton& GetButton(int i) const { return m_Buttons[static_cast<size_t>(i)]; }
    const CButtonPanel& GetPanel() const { return m_Panel; }

private:
    void _Choose(int button);
    void _PanelInput();

    CImagePlane m_Title;
    CImagePlane m_Strip;
    std::array<CImageButton, kButtonCount> m_Buttons;
    CImagePlane m_ButtonSheet;
    CImagePlane m_FirstButtonSheet;
    CTextObject m_Text;
    CButtonPanel m_Panel;
    int32_t m_IntroState = 0;
    int32_t m_OffsetX = 0;
    int32_t m_OffsetY = kSlide;
    CCounterAccel m_SlideCounter;
    CCounterLinear m_FadeCounter;
};
