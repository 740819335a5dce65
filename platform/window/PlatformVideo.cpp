#include "platform/window/PlatformVideo.h"

#include <SDL.h>

#include <cstring>

#include "platform/sys/SjisCodec.h"

namespace {
int g_VideoUsers = 0;
thread_local std::string t_LastError;
}  // namespace

std::recursive_mutex& PlatformVideoLock() {
    static std::recursive_mutex lock;
    return lock;
}

std::string PlatformWindowLastError() { return t_LastError; }
void PlatformWindowSetLastError(const std::string& text) { t_LastError = text; }

bool PlatformVideoAcquire() {
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    if (g_VideoUsers == 0) {
        // Interrupt and terminate signals become a quit event, which closes every
        // window the normal way; the screen saver is not held off by a game in a window.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "0");
        SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            PlatformWindowSetLastError(std::string("SDL_InitSubSystem: ") + SDL_GetError());
            return false;
        }
    }
    ++g_VideoUsers;
    return true;
}

void PlatformVideoRelease() {
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    if (g_VideoUsers <= 0) {
        return;
    }
    if (--g_VideoUsers == 0) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

int PlatformGetDesktopBytesPerPixel() {
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    if (!PlatformVideoAcquire()) {
        return 0;
    }
    int bytes = 0;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.format != SDL_PIXELFORMAT_UNKNOWN) {
        // SDL names a 32-bit XRGB desktop "24 bits per pixel"; its pixel size is what counts.
        bytes = SDL_BYTESPERPIXEL(mode.format);
    }
    PlatformVideoRelease();
    return bytes;
}

bool PlatformIsDesktop24Bit() { return PlatformIsRefusedDepth(PlatformGetDesktopBytesPerPixel()); }

bool PlatformVideoDriverIsHeadless(const char* driver) {
    return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

bool PlatformVideoFoundNoDisplay() {
    const char* wanted = SDL_getenv("SDL_VIDEODRIVER");
    if (wanted && wanted[0] != '\0') {
        return false;
    }
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    if (!PlatformVideoAcquire()) {
        return true;
    }
    const bool none = PlatformVideoDriverIsHeadless(SDL_GetCurrentVideoDriver());
    PlatformVideoRelease();
    return none;
}

bool PlatformShowWarningBox(const std::string& title, const std::string& text) {
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* wanted = SDL_getenv("SDL_VIDEODRIVER");
    if (PlatformVideoDriverIsHeadless(driver) || PlatformVideoDriverIsHeadless(wanted)) {
        return false;
    }
    std::string utf8Title = PlatformSjisToUtf8(title);
    std::string utf8Text = PlatformSjisToUtf8(text);
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, utf8Title.c_str(), utf8Text.c_str(), nullptr) != 0) {
        PlatformWindowSetLastError(std::string("SDL_ShowSimpleMessageBox: ") + SDL_GetError());
        return false;
    }
    return true;
}

void PlatformVideoThreadCleanup() { SDL_TLSCleanup(); }
