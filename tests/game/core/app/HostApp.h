#pragma once
// An application whose window thread runs a test's body, and window events pushed to
// it as the system would send them (activation, minimising).
#include <SDL.h>

#include <functional>

#include "engine/base/AppBase.h"
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

}  // namespace gametest
