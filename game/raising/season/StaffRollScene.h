#pragma once
// In-game mode 14: the staff roll.  The last stage picture shrinks into a frame, the
// ending music starts, eighteen credit pictures scroll up the right half one after
// another while illustration pages cross-fade inside the frame; at the end, or on
// cancel, the mode machine goes to mode 1 over 120 frames.  A restored roll ends at
// once.
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/base/Counter.h"
#include "engine/draw/ImagePlane.h"
#include "game/raising/ingame/ModeState.h"

class CStaffRollScene : public CModeState {
public:
    static constexpr const char* kMusic = "bgm\\bgm_018.ogg";
    static constexpr int32_t kMusicGroup = 0;
    static constexpr int32_t kMusicSlot = 11;
    static constexpr const char* kFrame = "obj\\x000_001.bmp";
    // Credit line k is "obj\x000_%03d.bmp" numbered k + 2.
    static constexpr const char* kLineFormat = "obj\\x000_%03d.bmp";
    static constexpr const char* kPageFormat = "obj\\staffr\\%04d.bmp";
    static constexpr int32_t kLineCount = 18;
    static constexpr int32_t kPageCount = 10;
    // The three page sequences (pages 1 to 8) and the last page.
    static constexpr int32_t kSequences[3][8] = {{1, 2, 4, 7, 10, 12, 20, 21},
                                                 {6, 9, 11, 13, 15, 17, 19, 23},
                                                 {3, 5, 8, 10, 14, 16, 18, 22}};
    static constexpr int32_t kLastPage = 24;
    static constexpr int32_t kLineX = 376;
    static constexpr float kLineStart = 600.0f;
    static constexpr float kLineSpeed = 1.37f;
    static constexpr SPoint kPageAt = {48, 88};
    static constexpr SPoint kFrameAt = {40, 80};
    static constexpr int32_t kIntroSteps = 160;
    static constexpr int32_t kLineGap = 150;
    static constexpr int32_t kEndWait = 330;
    static constexpr int32_t kRestoredState = 154;

    enum EIntro { kIntroWait = 1, kIntroShrink = 2, kIntroFrame = 3, kIntroDone = 4 };

    using CModeState::CModeState;

    void Load() override;
    void Update() override;
    void Draw() override;
    // A restored game ends the roll at once.
    void LoadState(const CGameState& state) override;

    // Inline so that the demo data's writer names the same files without the engine.
    static std::string LinePath(int32_t k) { return _Format(kLineFormat, k + 2); }
    static std::string PagePath(int32_t page) { return _Format(kPageFormat, page); }

    int32_t GetState() const { return m_State; }
    int32_t GetIntroState() const { return m_IntroState; }
    int32_t GetFrameState() const { return m_FrameState; }
    int32_t GetPageNumber() const { return m_PageNumber; }
    int32_t GetPage(int32_t n) const { return m_PageList[n]; }
    // The picture loaded into the page shown last (empty before the first).
    const std::string& GetShownPageFile() const { return m_Pages[m_CurrentPage].GetFileName(); }
    bool IsLineActive(int32_t k) const { return m_LineActive[k]; }
    float GetLineY(int32_t k) const { return m_LineY[k]; }
    const CImagePlane& GetIntro() const { return m_Intro; }
    int32_t GetIntroScaleEnd() const { return m_IntroScale.GetEnd(); }

private:
    static std::string _Format(const char* format, int32_t n) {
        char text[64];
        std::snprintf(text, sizeof text, format, static_cast<int>(n));
        return text;
    }
    void _StartLine(int32_t k);
    bool _LineOnScreen(int32_t k) const;
    void _StepPages();
    void _StepIntro();
    void _StepLines();
    void _Leave();

    int32_t m_State = 0;
    int32_t m_Timer = 0;
    CImagePlane m_Intro;
    int32_t m_IntroState = kIntroWait;
    CCounterAccel m_IntroX;
    CCounterAccel m_IntroY;
    CCounterAccel m_IntroScale;
    std::array<CImagePlane, 2> m_Pages;
    std::array<int32_t, 2> m_PageState = {};
    std::array<CCounterLinear, 2> m_PageAlpha;
    int32_t m_CurrentPage = 0;
    int32_t m_PageTimer = -150;
    int32_t m_PageNumber = 0;
    std::array<int32_t, kPageCount> m_PageList = {};
    CImagePlane m_Frame;
    int32_t m_FrameState = 0;
    CCounterLinear m_FrameAlpha;
    std::array<CImagePlane, kLineCount> m_Lines;
    std::array<bool, kLineCount> m_LineActive = {};
    std::array<float, kLineCount> m_LineY = {};
    // The go-to mode 1 has been asked for (cancel or the end): asked once only.
    bool m_Left = false;
};
