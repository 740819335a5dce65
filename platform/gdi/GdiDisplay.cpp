#include "platform/gdi/GdiDisplay.h"

#include <atomic>
#include <mutex>

#include "platform/gdi/Gdi.h"

namespace {

const SGdiDisplayMode kDesktopMode{1920, 1080, 32, 60};

struct SDisplayState {
    std::mutex mutex;
    SGdiDisplayMode mode = kDesktopMode;
    bool changed = false;
    SGdiDisplayFaults faults;
    std::atomic<uint64_t> changes{0};
};

SDisplayState& State() {
    static SDisplayState state;
    return state;
}

bool _ModeExists(const SGdiDisplayMode& m) {
    const bool depthOk = m.bitsPerPixel == 16 || m.bitsPerPixel == 24 || m.bitsPerPixel == 32;
    const bool sizeOk = m.width > 0 && m.width <= 8192 && m.height > 0 && m.height <= 8192;
    const bool rateOk = m.refreshRate == 0 || m.refreshRate == 60 || m.refreshRate == 75;
    return depthOk && sizeOk && rateOk;
}

void _Apply(SDisplayState& s, const SGdiDisplayMode& mode, bool changed) {
    s.mode = mode;
    if (s.mode.refreshRate == 0) s.mode.refreshRate = 60;
    s.changed = changed;
    GdiSetDesktopBitsPerPixel(mode.bitsPerPixel);
    ++s.changes;
}

}  // namespace

int32_t GdiChangeDisplaySettings(const SGdiDevMode* mode, uint32_t flags) {
    SDisplayState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (!mode) {
        if (s.faults.failRestore) return GDI_DISP_CHANGE_FAILED;
        if (s.changed) _Apply(s, kDesktopMode, false);
        return GDI_DISP_CHANGE_SUCCESSFUL;
    }
    SGdiDisplayMode wanted = s.mode;
    if (mode->fields & GDI_DM_PELSWIDTH) wanted.width = static_cast<int32_t>(mode->pelsWidth);
    if (mode->fields & GDI_DM_PELSHEIGHT) wanted.height = static_cast<int32_t>(mode->pelsHeight);
    if (mode->fields & GDI_DM_BITSPERPEL) wanted.bitsPerPixel = static_cast<int32_t>(mode->bitsPerPel);
    wanted.refreshRate = (mode->fields & GDI_DM_DISPLAYFREQUENCY) ? static_cast<int32_t>(mode->displayFrequency) : 0;
    if (!_ModeExists(wanted)) return GDI_DISP_CHANGE_BADMODE;
    if ((mode->fields & GDI_DM_DISPLAYFREQUENCY) && s.faults.refuseRefreshRate) return GDI_DISP_CHANGE_BADMODE;
    if (flags & GDI_CDS_TEST) return s.faults.failTest ? GDI_DISP_CHANGE_BADMODE : GDI_DISP_CHANGE_SUCCESSFUL;
    if (s.faults.failChange) return GDI_DISP_CHANGE_FAILED;
    _Apply(s, wanted, true);
    return GDI_DISP_CHANGE_SUCCESSFUL;
}

SGdiDisplayMode GdiGetDisplayMode() {
    SDisplayState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.mode;
}

int32_t GdiGetDisplayRefreshRate() { return GdiGetDisplayMode().refreshRate; }

bool GdiIsDisplayChanged() {
    SDisplayState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.changed;
}

bool GdiSetDisplayMode(const SGdiDisplayMode& mode) {
    SDisplayState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (!_ModeExists(mode)) return false;
    _Apply(s, mode, true);
    return true;
}

void GdiRestoreDisplayMode() {
    SDisplayState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    _Apply(s, kDesktopMode, false);
}

uint64_t GdiGetDisplayChangeCount() { return State().changes.load(); }

SGdiDisplayFaults& GdiDisplayFaults() { return State().faults; }

void GdiResetDisplay() {
    SDisplayState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.faults = SGdiDisplayFaults{};
    s.mode = kDesktopMode;
    s.changed = false;
    GdiSetDesktopBitsPerPixel(32);
}
