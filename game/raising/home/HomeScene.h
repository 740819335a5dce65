#pragma once
// The home menu (home mode 0): seven buttons that slide in from the left over the
// household's time-of-day background, three list panels with each action's choices,
// seven information pictures (satiety and growth, then each action's counts and cost)
// that slide and fade in beside the menu, and help lines in the message window.  A
// choice starts the action's relay; the end button leaves the home side.
#include <array>
#include <cstdint>
#include <string>

#include "engine/base/Counter.h"
#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "game/core/Button.h"
#include "game/raising/ingame/ModeState.h"
#include "game/raising/panel/ListPanel.h"

class CHomeHostMode;
class CStatus;

class CHomeScene : public CModeState {
public:
    static constexpr int kButtonCount = 7;
    static constexpr int kPanelCount = 3;
    static constexpr int kPictureCount = 7;
    static constexpr int32_t kHighlightSteps = 15;
    static constexpr int32_t kSlideFrom = -800;
    static constexpr int32_t kSlideSteps = -20;
    static constexpr int32_t kPictureX = 280;
    static constexpr int32_t kFrameY = 152;
    static constexpr uint32_t kShade = 0x80000000u;
    static constexpr int32_t kShadeLayer = 101;
    static constexpr const char* kMusic = "bgm\\bgm_001.ogg";
    static constexpr int32_t kMusicVolume = 80;
    // The slide-panel picture the menu shows.
    static constexpr int kSlidePicture = 9;

    static constexpr const char* kFramePicture = "obj\\h001_005.bmp";
    static constexpr const char* kButtonPictures[kButtonCount] = {
        "obj\\m000_005.bmp", "obj\\m000_006.bmp", "obj\\m000_007.bmp", "obj\\m000_008.bmp",
        "obj\\m000_009.bmp", "obj\\m000_010.bmp", "obj\\m000_011.bmp"};
    static constexpr const char* kSatietyPicture = "obj\\m000_000.bmp";
    static constexpr const char* kActionPicture = "obj\\m000_001.bmp";
    static constexpr const char* kPercentMark = "obj\\m000_002.bmp";
    static constexpr const char* kFaceSheet = "obj\\m000_003.bmp";  // 10 × 1
    static constexpr const char* kDigitSheet = "obj\\h001_000.bmp";  // 10 × 1
    static constexpr const char* kMarkSheet = "obj\\h001_001.bmp";   // 3 × 1
    static constexpr int kFaceCells = 10;
    static constexpr int kMarkCells = 3;

    enum ESlide { SLIDE_NONE = 0, SLIDE_IN = 1, SLIDE_PLACED = 2, SLIDE_OUT = 3 };
    enum EHighlight { LIGHT_OFF = 0, LIGHT_IN = 1, LIGHT_ON = 2, LIGHT_OUT = 3 };

    explicit CHomeScene(CHomeHostMode& host);

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;
    void LoadState(const CGameState& state) override;
    void PrepareThumbnail() override;

    // The button's help text (0..6; any other index an empty line) and its picture.
    void SetHelp(int32_t index);
    // Help line n of the shared table in the message window.
    void ShowHelpLine(int32_t n);
    void ClearHelp();
    void OpenPanelState(int32_t n);
    void ApplyButtonRule();
    void HighlightPicture(int i);
    void UnhighlightPicture(int i);

    // The help text of button i (0..6), empty for another index.
    static const char* HelpText(int32_t index);
    // The picture that SetHelp(index) highlights.
    static int PictureOfHelp(int32_t index);
    // The face cell of picture 0.
    static int32_t FaceCell(int32_t season, int32_t percent);
    // The list panel (1..3) and its type that panel state n shows; false for state 0.
    static bool PanelOfState(int32_t n, int* panel, int32_t* type);
    // Picture i's first count, second count and cost (1..6).
    static void PictureValues(const CStatus& status, int i, int32_t* first, int32_t* second, int32_t* cost);

    int32_t GetPanelState() const { return m_PanelState; }
    int32_t GetSlideState() const { return m_SlideState; }
    int32_t GetSlideOffset() const { return m_Slide.GetValue(); }
    int32_t GetHelpIndex() const { return m_HelpIndex; }
    int32_t GetHelpLine() const { return m_HelpLine; }
    int GetHighlight(int i) const { return m_Light[static_cast<size_t>(i)]; }
    int32_t GetPictureAlpha(int i) const { return m_Alpha[static_cast<size_t>(i)].GetValue(); }
    int32_t GetPictureStep(int i) const { return m_Alpha[static_cast<size_t>(i)].GetStep(); }
    SPoint GetPictureOffset(int i) const;
    CButton& GetButton(int i) { return m_Buttons[static_cast<size_t>(i)]; }
    CListPanel& GetPanel(int n) { return m_Panels[static_cast<size_t>(n - 1)]; }

private:
    void _LoadPictures();
    void _PrepareStage();
    void _StartMusic();
    void _Run();
    void _MenuInput(SPoint p, bool decide);
    void _ButtonEvents();
    void _Cancel();
    void _Panel1Events();
    void _Panel2Events();
    void _Panel3Events();
    void _StartMode(int32_t mode);
    void _Leave();
    void _ChooseDestination(int32_t d);
    void _StepHighlights();
    // Picture i fading in or out; `done` steps of the opposite fade are turned back.
    void _StartFade(int i, int light, int32_t done);
    void _DrawPicture(int i);
    void _DrawNumber(int32_t value, const SPoint* places, int count, int32_t x, int32_t y, uint32_t colour) const;

    CHomeHostMode& m_Host;
    int32_t m_HelpIndex = -1;
    int32_t m_HelpLine = -1;
    CImagePlane m_Frame;
    std::array<CImagePlane, kButtonCount> m_ButtonPictures;
    std::array<CButton, kButtonCount> m_Buttons;
    std::array<CListPanel, kPanelCount> m_Panels;
    int32_t m_SlideState = SLIDE_NONE;
    int32_t m_PanelState = 0;
    CCounterAccel m_Slide;
    CImagePlane m_SatietyPicture;
    CImagePlane m_ActionPicture;
    std::array<int, kPictureCount> m_Light{};
    std::array<CCounterAccel, kPictureCount> m_OffsetX;
    std::array<CCounterAccel, kPictureCount> m_OffsetY;
    std::array<CCounterLinear, kPictureCount> m_Alpha;
    CImagePlane m_DigitPlane;
    CCellImage m_Digits;
    CImagePlane m_MarkPlane;
    CCellImage m_Marks;
    CImagePlane m_PercentMark;
    CImagePlane m_FacePlane;
    CCellImage m_Faces;
};

// Home mode 0: the home menu, drawn by the stage's message window over its box, so that
// it goes with the window when the player hides it.  While a panel is open the menu
// takes the frame first and the stage runs without keyboard and mouse presses;
// otherwise the stage takes it first.
class CHomeMenuMode : public CModeHostState {
public:
    explicit CHomeMenuMode(CHomeHostMode& host);
    void Update() override;
    CHomeScene& GetScene() const { return static_cast<CHomeScene&>(*m_Screen); }
};
