#pragma once
// SDL's video subsystem for the whole process.  Every SDL call of the platform layer
// runs under one process-wide lock, so that windows owned by different threads (the
// game window and the debug window) can share SDL safely.
#include <mutex>
#include <string>

std::recursive_mutex& PlatformVideoLock();
// Counted start and end of SDL's video subsystem; false (and a log line) when it
// cannot start.
bool PlatformVideoAcquire();
void PlatformVideoRelease();

// Bytes per pixel of the desktop display mode; 0 when unknown.
int PlatformGetDesktopBytesPerPixel();
// True for a desktop of 3 bytes per pixel (true 24-bit colour), which the game refuses.
// A 32-bit desktop that SDL names "24 bits per pixel" (XRGB, 4 bytes) is not refused.
bool PlatformIsDesktop24Bit();
// The decision itself, for a given pixel size.
inline bool PlatformIsRefusedDepth(int bytesPerPixel) { return bytesPerPixel == 3; }

// True for SDL's video drivers that show nothing ("dummy", "offscreen"); false for null.
bool PlatformVideoDriverIsHeadless(const char* driver);
// True when nobody asked for a video driver (SDL_VIDEODRIVER unset or empty) and SDL,
// left to choose, found no display: it starts none at all, or falls back to a driver
// that shows nothing, where a window would never be seen.  False when a driver was
// asked for (tests and CI ask for "dummy") or a real one started.
bool PlatformVideoFoundNoDisplay();

// A warning message box; title and text are Shift-JIS.  Nothing is shown headless.
bool PlatformShowWarningBox(const std::string& title, const std::string& text);

// The text of the last failure of the platform window layer on the calling thread
// (the engine side puts it into its log line).
std::string PlatformWindowLastError();
void PlatformWindowSetLastError(const std::string& text);

// Frees what SDL keeps for the calling thread; a thread that used SDL calls it last.
void PlatformVideoThreadCleanup();
