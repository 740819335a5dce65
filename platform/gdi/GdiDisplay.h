#pragma once
// The display settings: the mode (size, colour depth, refresh rate) the desktop runs
// in, changed for full-screen play and put back.  There is no real display mode to
// switch under SDL; a change records the mode and sets the desktop's bits per pixel
// (GdiGetDesktopBitsPerPixel), which is what every surface and copy reads.  Putting
// the window itself into full screen is the window's business (CPlatformWindow).
//
// Every change, restore or DirectDraw mode set counts in a change counter, so that
// video-memory surfaces know they were lost.  Failures can be injected for tests.
#include <cstdint>

// What a DEVMODE says as far as the display settings read it.
struct SGdiDevMode {
    uint32_t size = 156;
    uint32_t fields = 0;
    uint32_t bitsPerPel = 0;
    uint32_t pelsWidth = 0;
    uint32_t pelsHeight = 0;
    uint32_t displayFrequency = 0;
};

constexpr uint32_t GDI_DM_BITSPERPEL = 0x00040000;
constexpr uint32_t GDI_DM_PELSWIDTH = 0x00080000;
constexpr uint32_t GDI_DM_PELSHEIGHT = 0x00100000;
constexpr uint32_t GDI_DM_DISPLAYFREQUENCY = 0x00400000;

constexpr uint32_t GDI_CDS_TEST = 0x2;
constexpr uint32_t GDI_CDS_FULLSCREEN = 0x4;

constexpr int32_t GDI_DISP_CHANGE_SUCCESSFUL = 0;
constexpr int32_t GDI_DISP_CHANGE_FAILED = -1;
constexpr int32_t GDI_DISP_CHANGE_BADMODE = -2;

struct SGdiDisplayMode {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    int32_t refreshRate = 0;
};

// Changes the display to `mode` (CDS_TEST: only checks it), or with a null mode puts
// back the desktop's own mode.  Depths 16, 24 and 32 exist, sizes 1 to 8192, refresh
// rates 0 (default), 60 and 75.  Returns a GDI_DISP_CHANGE_* code.
int32_t GdiChangeDisplaySettings(const SGdiDevMode* mode, uint32_t flags);
// The display's current mode, and its refresh rate (the VREFRESH capability).
SGdiDisplayMode GdiGetDisplayMode();
int32_t GdiGetDisplayRefreshRate();
// True while the display runs in a mode other than the desktop's own.
bool GdiIsDisplayChanged();
// Sets the display mode directly (DirectDraw's own mode set); false for a mode that
// does not exist.  GdiRestoreDisplayMode puts the desktop's own mode back.
bool GdiSetDisplayMode(const SGdiDisplayMode& mode);
void GdiRestoreDisplayMode();
// Counts every change of the display mode.
uint64_t GdiGetDisplayChangeCount();

// Failures for tests.
struct SGdiDisplayFaults {
    bool failChange = false;         // every change (not test, not restore) fails
    bool refuseRefreshRate = false;  // a mode that names a refresh rate is refused
    bool failTest = false;           // CDS_TEST answers BADMODE
    bool failRestore = false;        // putting the desktop mode back fails
};
SGdiDisplayFaults& GdiDisplayFaults();
// Back to the desktop's own mode (800 × 600 is not it: 1920 × 1080 × 32 at 60 Hz)
// with no faults; the desktop's bits per pixel become 32.
void GdiResetDisplay();
