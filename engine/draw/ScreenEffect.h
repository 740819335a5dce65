#pragma once
// The screen effect of a transition layer list: drawn over (or through) the list's
// layers.  Kinds:
//   1 white flash, 2 red flash, 3 black flash (each fades out over 30 frames and ends),
//   4 sideways shake, 5 up-and-down shake, 8 quake (both ways, stronger) — these run
//   until ended,
//   6 monochrome, 7 sepia (the layers' colours fade to a tinted grey and stay so).
// Other kinds start nothing.  End(true) lets the effect run out (shakes die away,
// tones fade back, flashes finish); End(false) stops it at once.  While the switch is
// on (the effects are turned off in the settings) the effect is kept but not drawn.
#include <cstdint>

#include "engine/draw/RenderTarget.h"
#include "engine/draw/ScreenShake.h"

class CScreenEffect {
public:
    enum EKind : int32_t {
        KIND_NONE = 0,
        KIND_FLASH_WHITE = 1,
        KIND_FLASH_RED = 2,
        KIND_FLASH_BLACK = 3,
        KIND_SHAKE_SIDEWAYS = 4,
        KIND_SHAKE_UPDOWN = 5,
        KIND_MONOCHROME = 6,
        KIND_SEPIA = 7,
        KIND_QUAKE = 8,
    };
    static constexpr int32_t kFlashFrames = 30;
    static constexpr int32_t kToneFrames = 30;

    // False for an unknown kind (nothing changes).
    bool Start(int32_t kind);
    void End(bool gradual);
    bool IsActive() const { return m_Kind != KIND_NONE; }
    int32_t GetKind() const { return m_Kind; }
    void SetSwitch(bool suppressed) { m_Suppressed = suppressed; }
    bool GetSwitch() const { return m_Suppressed; }

    void Update();
    // True when the layers must be drawn between BeginCapture and EndCapture.
    bool NeedsCapture() const;
    bool BeginCapture();
    // Draws the captured layers through the effect onto the previous target.
    void EndCapture();
    // Overlays drawn after the layers (flashes).
    void DrawOverlay();

    // 0..255: how strongly the effect shows now.
    int32_t GetLevel() const { return m_Level; }

private:
    int32_t m_Kind = KIND_NONE;
    int32_t m_Level = 0;
    bool m_Ending = false;
    int32_t m_Frame = 0;
    bool m_Suppressed = false;
    CScreenShake m_Shake;
    CRenderTarget m_Capture;
    CRenderTargetScope m_Scope;
    bool m_Capturing = false;
};
