#pragma once
// An application whose window thread runs a test's body, and window events pushed to
// it as the system would send them (activation, minimising).
#include <SDL.h>

#include <functional>

#include "engine/base/AppBase.h"
#include "engine/base/ChangeDisplay.h"
#include "platform/window/PlatformWindow.h"

namespace gametest {

class CHostApp : public CAppBase {
public:
    explicit CHostApp(std::function<int(CHostApp&)> body) : m_Body(std::move(body)) {}
    ~CHostApp() override { Stop(); }

protected:
    bool IsWindowVisible() const override { return false; }
    int MainProc() override { return m_Body(*this); }

private:
    std::function<int(CHostApp&)> m_Body;
};

inline void PushWindowEvent(WindowHandle window, uint8_t event) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = window->GetSystemId();
    e.window.event = event;
    SDL_PushEvent(&e);
}

// A display changer whose full-screen changes always fail, counting the tries.
class CRefusingChanger : public CChangeDisplay {
public:
    explicit CRefusingChanger(int* tries) : m_Tries(tries) {}
    bool ChangeDisplay(int32_t, int32_t, int32_t bpp) override {
        if (bpp != 0) ++*m_Tries;
        return bpp == 0;
    }
    bool TestDisplayMode(int32_t, int32_t, int32_t) override { return false; }
    bool Reset() override { return true; }
    bool IsChanged() const override { return false; }
    int32_t GetKind() const override { return 1; }

private:
    int* m_Tries;
};

}  // namespace gametest
