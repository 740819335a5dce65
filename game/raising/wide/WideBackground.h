#pragma once
// The shared backdrop of the menu and viewer screens: the scrolling band, the landscape
// over it and, when asked, two full-width strips at the top and at y 440 stretched from
// one-pixel columns of "obj\b000_000.bmp" and "obj\b000_001.bmp".  The game object owns
// the one instance and counts its users (CGameMain::BeginWideBackground and the others);
// this object never looks at the count.  It reports nothing to the log.
#include "engine/draw/ImagePlane.h"
#include "game/raising/wide/WideBand.h"
#include "game/raising/wide/WidePicture.h"

class CWideBackground {
public:
    static constexpr const char* kTopStripFile = "obj\\b000_000.bmp";
    static constexpr const char* kBottomStripFile = "obj\\b000_001.bmp";
    static constexpr int32_t kBottomStripTop = 440;
    static constexpr float kPhaseStep = 0.0001f;

    CWideBackground() = default;
    virtual ~CWideBackground() = default;
    CWideBackground(const CWideBackground&) = delete;
    CWideBackground& operator=(const CWideBackground&) = delete;

    // Releases everything, builds the strips, then loads band and landscape; true when
    // both loaded, else everything is released again.  The strips do not decide.
    bool Load();
    void Release();
    // Band and landscape exist: what Load decides by, so that a missing strip neither
    // makes every user load the whole object again nor keeps it from being released.
    bool IsLoaded() const;

    void ShowPart0() { m_ShowPart0 = true; }
    void HidePart0() { m_ShowPart0 = false; }
    void ShowPart1() { m_ShowPart1 = true; }
    void HidePart1() { m_ShowPart1 = false; }
    bool IsPart0Shown() const { return m_ShowPart0; }
    bool IsPart1Shown() const { return m_ShowPart1; }

    // One frame of scrolling: the phase grows by 1/10000 and wraps past 1.
    void StepScroll();
    void Draw();
    // After a device reset: loads again what was loaded (the band restarts at phase 0)
    // and copies the strips' columns again.
    void Reload();

    CWideBand& GetBand() { return m_Band; }
    CWidePicture& GetPicture() { return m_Picture; }
    const CImagePlane& GetTopStrip() const { return m_TopStrip; }
    const CImagePlane& GetBottomStrip() const { return m_BottomStrip; }

private:
    // A one-pixel column of the file's first column; false when the picture is missing.
    static bool _BuildStrip(CImagePlane* strip, const char* file);
    static bool _CopyColumn(CImagePlane* strip, const char* file);
    static void _DrawStrip(CImagePlane& strip, int32_t top);

    CImagePlane m_TopStrip;
    CImagePlane m_BottomStrip;
    CWideBand m_Band;
    CWidePicture m_Picture;
    bool m_ShowPart0 = false;
    bool m_ShowPart1 = false;
};
