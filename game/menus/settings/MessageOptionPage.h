#pragma once
// Page 1 of the settings menu: how scenario text is shown (message speed, auto-advance
// speed, window opacity, skip mode, auto mode).  A demo message window at the bottom
// of the screen shows four lines of the heroine one after another at the chosen speed,
// wait and opacity.  Its window rises from the bottom edge on a counter of its own;
// the page is shown (or gone) once both counters have finished.
#include <array>
#include <cstdint>

#include "engine/draw/TextObject.h"
#include "engine/draw/TextPlane.h"
#include "game/core/Button.h"
#include "game/menus/settings/MenuPage.h"
#include "game/menus/settings/SliderSet.h"

class CMessageOptionPage : public CMenuPage {
public:
    static constexpr int32_t kPageId = 1;
    static constexpr const char* kBackgroundFile = "obj\\c000_029.bmp";
    static constexpr const char* kWindowFile = "obj\\f000_001.bmp";
    static constexpr int kOptionCount = 4;
    static constexpr std::array<SPoint, kOptionCount> kOptionPlaces = {SPoint{248, 205}, SPoint{384, 205},
                                                                        SPoint{248, 254}, SPoint{384, 254}};
    static constexpr std::array<int32_t, kOptionCount> kOptionColumns = {6, 7, 4, 5};
    static constexpr CSliderSet::SLayout kLayout = {
        {SPoint{256, 152}, SPoint{256, 297}, SPoint{256, 344}},
        {SPoint{269, 172}, SPoint{269, 316}, SPoint{269, 364}},
        {SPoint{230, 168}, SPoint{521, 168}, SPoint{230, 312}, SPoint{521, 312}, SPoint{230, 360}, SPoint{521, 360}}};
    static constexpr SPoint kWindowAt{0, 416};
    static constexpr SPoint kTextAt{36, 464};
    static constexpr SPoint kNameAt{36, 438};
    static constexpr int32_t kFontHeight = 22;
    static constexpr int32_t kWindowSlide = 184;
    static constexpr int32_t kWindowOutSteps = 10;
    static constexpr int kLineCount = 4;
    static const char* const kLines[kLineCount];
    static const char* const kSpeaker;

    explicit CMessageOptionPage(CSystemMenuScene& owner) : CMenuPage(owner, kPageId) {}

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;
    void Refresh() override;
    void RefreshForDefaults() override;
    void SlideIn() override;
    void SlideOut() override;

    // Applies the message speed to the demo text (stopped: the next frame starts the
    // next line at the new speed).
    void ToTextSpeed();
    // How often the demo text is advanced each frame at a message speed.
    static int32_t UpdatesPerFrame(int32_t speed);
    // The frames a fully shown line stays before the next at an auto-advance speed.
    static int32_t DemoWait(int32_t autoSpeed, size_t textBytes);

    CTextObject& GetDemoText() { return m_DemoText; }
    int32_t GetLineIndex() const { return m_LineIndex; }
    int32_t GetWindowOffset() const { return m_WindowSlide.GetValue(); }
    const CButton& GetOptionButton(int i) const { return m_Options[static_cast<size_t>(i)]; }
    const CButton& GetStepButton(int i) { return m_Sliders.StepButtons()[static_cast<size_t>(i)]; }

protected:
    bool _StepExtraSlide() override;
    std::span<CButton> Buttons() override { return m_Options; }

private:
    std::array<int32_t, CSliderSet::kCount> _Values();
    // `dragged`: set by a slider rather than by a step button.
    void _SetValue(int slider, int32_t value, bool dragged);
    void _StepDemo();
    void _PlaceText();

    CImagePlane m_Window;
    std::array<CButton, kOptionCount> m_Options;
    CSliderSet m_Sliders;
    CTextPlane m_NamePlate;
    CTextObject m_DemoText;
    int32_t m_LineIndex = 0;
    int32_t m_WaitFrames = 0;
    CCounterAccel m_WindowSlide;
    CMatrix4 m_WindowTransform;
};
