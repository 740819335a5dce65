#include "platform/window/PlatformWindow.h"

#include <SDL.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/sys/SjisCodec.h"
#include "platform/window/KeyMap.h"
#include "platform/window/PlatformVideo.h"
#include "platform/window/WindowIcon.h"

struct CPlatformWindow::SImpl {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int textureWidth = 0;
    int textureHeight = 0;
    bool rendererFailed = false;
    bool softwareOnly = false;
    uint32_t windowId = 0;
    uint32_t buttons = 0;  // kFlagLButton / kFlagRButton / kFlagMButton held
    int32_t lastClientX = 0;
    int32_t lastClientY = 0;
    bool composing = false;  // SDL reports an input-method composition in progress
};

// The open windows by SDL window id, so that the events read by one pump reach the
// queue of the window they belong to, whichever thread pumps.
struct SWindowRegistry {
    std::mutex mutex;
    std::map<uint32_t, CPlatformWindow*> windows;

    static SWindowRegistry& Get() {
        static SWindowRegistry registry;
        return registry;
    }
    void Route(const SDL_Event& e) {
        uint32_t id = 0;
        bool all = false;
        switch (e.type) {
        case SDL_WINDOWEVENT: id = e.window.windowID; break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: id = e.key.windowID; break;
        case SDL_MOUSEMOTION: id = e.motion.windowID; break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: id = e.button.windowID; break;
        case SDL_MOUSEWHEEL: id = e.wheel.windowID; break;
        case SDL_TEXTINPUT: id = e.text.windowID; break;
        case SDL_TEXTEDITING: id = e.edit.windowID; break;
        case SDL_QUIT: all = true; break;
        default: return;
        }
        std::lock_guard<std::mutex> lock(mutex);
        for (auto& [wid, w] : windows) {
            if (all || wid == id) {
                w->_Translate(&e);
            }
        }
    }
};

namespace {

// The picture's place in an output of outW × outH: as large as fits, centred.
SDL_Rect Letterbox(int outW, int outH, int picW, int picH) {
    SDL_Rect r{0, 0, outW, outH};
    if (outW <= 0 || outH <= 0 || picW <= 0 || picH <= 0) {
        return r;
    }
    if (static_cast<int64_t>(outW) * picH > static_cast<int64_t>(outH) * picW) {
        r.w = static_cast<int>(static_cast<int64_t>(outH) * picW / picH);
        r.x = (outW - r.w) / 2;
    } else {
        r.h = static_cast<int>(static_cast<int64_t>(outW) * picH / picW);
        r.y = (outH - r.h) / 2;
    }
    return r;
}

}  // namespace

CPlatformWindow::CPlatformWindow() : m_Impl(std::make_unique<SImpl>()) {}

std::unique_ptr<CPlatformWindow> CPlatformWindow::Create(const std::string& title, int32_t clientWidth,
                                                         int32_t clientHeight, bool visible) {
    if (clientWidth <= 0 || clientHeight <= 0) {
        PlatformWindowSetLastError("bad client size");
        return nullptr;
    }
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    if (!PlatformVideoAcquire()) {
        return nullptr;
    }
    std::unique_ptr<CPlatformWindow> w(new CPlatformWindow());
    uint32_t flags = visible ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN;
    std::string utf8 = PlatformSjisToUtf8(title);
    w->m_Impl->window = SDL_CreateWindow(utf8.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                         clientWidth, clientHeight, flags);
    if (!w->m_Impl->window) {
        PlatformWindowSetLastError(std::string("SDL_CreateWindow: ") + SDL_GetError());
        PlatformVideoRelease();
        return nullptr;
    }
    w->m_ClientWidth = clientWidth;
    w->m_ClientHeight = clientHeight;
    w->m_Impl->windowId = SDL_GetWindowID(w->m_Impl->window);
    {
        auto& reg = SWindowRegistry::Get();
        std::lock_guard<std::mutex> regLock(reg.mutex);
        reg.windows[w->m_Impl->windowId] = w.get();
    }
    return w;
}

CPlatformWindow::~CPlatformWindow() {
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    {
        auto& reg = SWindowRegistry::Get();
        std::lock_guard<std::mutex> regLock(reg.mutex);
        reg.windows.erase(m_Impl->windowId);
    }
    if (m_Impl->texture) {
        SDL_DestroyTexture(m_Impl->texture);
    }
    if (m_Impl->renderer) {
        SDL_DestroyRenderer(m_Impl->renderer);
    }
    if (m_Impl->window) {
        SDL_DestroyWindow(m_Impl->window);
        PlatformVideoRelease();
    }
}

bool CPlatformWindow::IsHeadless() {
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    const char* current = SDL_GetCurrentVideoDriver();
    if (current) {
        return PlatformVideoDriverIsHeadless(current);
    }
    return PlatformVideoDriverIsHeadless(SDL_getenv("SDL_VIDEODRIVER"));
}

void CPlatformWindow::SetSoftwarePresent(bool softwareOnly) {
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    m_Impl->softwareOnly = softwareOnly;
}

uint32_t CPlatformWindow::GetSystemId() const { return m_Impl->windowId; }

size_t CPlatformWindow::GetWindowCount() {
    auto& reg = SWindowRegistry::Get();
    std::lock_guard<std::mutex> regLock(reg.mutex);
    return reg.windows.size();
}

bool CPlatformWindow::GetClientSize(int32_t* width, int32_t* height) const {
    if (width) *width = m_ClientWidth;
    if (height) *height = m_ClientHeight;
    return m_ClientWidth > 0;
}

bool CPlatformWindow::GetDrawableSize(int32_t* width, int32_t* height) const {
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(m_Impl->window, &w, &h);
    if (width) *width = w;
    if (height) *height = h;
    return w > 0 && h > 0;
}

void CPlatformWindow::_WindowToPicture(int32_t* x, int32_t* y) const {
    int w = 0;
    int h = 0;
    {
        std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
        SDL_GetWindowSize(m_Impl->window, &w, &h);
    }
    if (w > 0 && h > 0 && (w != m_ClientWidth || h != m_ClientHeight)) {
        SDL_Rect r = Letterbox(w, h, m_ClientWidth, m_ClientHeight);
        *x = r.w > 0 ? static_cast<int32_t>(static_cast<int64_t>(*x - r.x) * m_ClientWidth / r.w) : 0;
        *y = r.h > 0 ? static_cast<int32_t>(static_cast<int64_t>(*y - r.y) * m_ClientHeight / r.h) : 0;
    }
}

void CPlatformWindow::MapToClient(int32_t windowX, int32_t windowY, int32_t* clientX, int32_t* clientY) const {
    int32_t x = windowX;
    int32_t y = windowY;
    _WindowToPicture(&x, &y);
    // Points in the black bars belong to the nearest edge of the picture.
    x = std::clamp<int32_t>(x, 0, std::max(0, m_ClientWidth - 1));
    y = std::clamp<int32_t>(y, 0, std::max(0, m_ClientHeight - 1));
    if (clientX) *clientX = x;
    if (clientY) *clientY = y;
}

namespace {
std::mutex g_PointerMutex;
CPlatformWindow::PointerProvider g_PointerProvider;
}  // namespace

void CPlatformWindow::SetPointerProvider(PointerProvider provider) {
    std::lock_guard<std::mutex> lock(g_PointerMutex);
    g_PointerProvider = std::move(provider);
}

bool CPlatformWindow::GetPointerPosition(int32_t* screenX, int32_t* screenY) const {
    int32_t x = 0;
    int32_t y = 0;
    PointerProvider provider;
    {
        std::lock_guard<std::mutex> lock(g_PointerMutex);
        provider = g_PointerProvider;
    }
    if (provider) {
        if (!provider(&x, &y)) return false;
    } else {
        if (IsHeadless()) return false;
        std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
        int gx = 0, gy = 0;
        SDL_GetGlobalMouseState(&gx, &gy);
        x = gx;
        y = gy;
        if (m_FullScreen) {
            int wx = 0, wy = 0;
            SDL_GetWindowPosition(m_Impl->window, &wx, &wy);
            x -= wx;
            y -= wy;
            _WindowToPicture(&x, &y);
        }
    }
    if (screenX) *screenX = x;
    if (screenY) *screenY = y;
    return true;
}

void CPlatformWindow::ScreenToClient(int32_t* x, int32_t* y) const {
    if (!x || !y || m_FullScreen) return;
    int wx = 0, wy = 0;
    {
        std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
        SDL_GetWindowPosition(m_Impl->window, &wx, &wy);
    }
    *x -= wx;
    *y -= wy;
    _WindowToPicture(x, y);
}

bool CPlatformWindow::PresentFrame(const void* pixels, int32_t width, int32_t height, int32_t pitchBytes) {
    if (!pixels || width <= 0 || height <= 0 || pitchBytes < width * 4) {
        PlatformWindowSetLastError("bad picture");
        return false;
    }
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    if (IsHeadless() || m_Minimized.load()) {
        return true;
    }
    SImpl& im = *m_Impl;
    if (!im.renderer) {
        if (im.rendererFailed) {
            return true;
        }
        if (!im.softwareOnly) {
            im.renderer = SDL_CreateRenderer(im.window, -1, SDL_RENDERER_ACCELERATED);
        }
        if (!im.renderer) {
            im.renderer = SDL_CreateRenderer(im.window, -1, SDL_RENDERER_SOFTWARE);
        }
        if (!im.renderer) {
            im.rendererFailed = true;
            PlatformWindowSetLastError(std::string("SDL_CreateRenderer: ") + SDL_GetError());
            return true;
        }
    }
    if (!im.texture || im.textureWidth != width || im.textureHeight != height) {
        if (im.texture) {
            SDL_DestroyTexture(im.texture);
        }
        im.texture = SDL_CreateTexture(im.renderer, SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_STREAMING,
                                       width, height);
        if (!im.texture) {
            PlatformWindowSetLastError(std::string("SDL_CreateTexture: ") + SDL_GetError());
            return false;
        }
        // Scaling to full screen: smooth rather than blocky.
        SDL_SetTextureScaleMode(im.texture, SDL_ScaleModeLinear);
        im.textureWidth = width;
        im.textureHeight = height;
    }
    if (SDL_UpdateTexture(im.texture, nullptr, pixels, pitchBytes) != 0) {
        PlatformWindowSetLastError(std::string("SDL_UpdateTexture: ") + SDL_GetError());
        return false;
    }
    int outW = 0;
    int outH = 0;
    SDL_GetRendererOutputSize(im.renderer, &outW, &outH);
    SDL_Rect dst = Letterbox(outW, outH, width, height);
    SDL_SetRenderDrawColor(im.renderer, 0, 0, 0, 255);
    SDL_RenderClear(im.renderer);
    SDL_RenderCopy(im.renderer, im.texture, nullptr, &dst);
    SDL_RenderPresent(im.renderer);
    return true;
}

void CPlatformWindow::PumpEvents() {
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    SDL_PumpEvents();
    SDL_Event events[32];
    for (;;) {
        int n = SDL_PeepEvents(events, 32, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
        if (n <= 0) {
            break;
        }
        for (int i = 0; i < n; ++i) {
            SWindowRegistry::Get().Route(events[i]);
        }
    }
}

int CPlatformWindow::PumpMessages() {
    PumpEvents();
    int count = 0;
    SWindowMessage m;
    while (PeekMessage(&m)) {
        DispatchMessage(m);
        ++count;
    }
    return count;
}

bool CPlatformWindow::PeekMessage(SWindowMessage* message) {
    std::lock_guard<std::mutex> lock(m_QueueMutex);
    if (m_Queue.empty()) {
        return false;
    }
    if (message) {
        *message = m_Queue.front();
    }
    m_Queue.pop_front();
    return true;
}

void CPlatformWindow::_Queue(const SWindowMessage& message) {
    std::lock_guard<std::mutex> lock(m_QueueMutex);
    m_Queue.push_back(message);
}

void CPlatformWindow::PostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    _Queue(SWindowMessage{this, message, wParam, lParam});
}

intptr_t CPlatformWindow::DispatchMessage(const SWindowMessage& message) {
    std::vector<IMessageListener*> listeners;
    {
        std::lock_guard<std::mutex> lock(m_ListenerMutex);
        listeners = m_Listeners;
    }
    intptr_t answer = 0;
    for (IMessageListener* l : listeners) {
        // A listener removed by an earlier one while this message runs hears no more.
        {
            std::lock_guard<std::mutex> lock(m_ListenerMutex);
            if (std::find(m_Listeners.begin(), m_Listeners.end(), l) == m_Listeners.end()) {
                continue;
            }
        }
        intptr_t r = l->OnMessage(this, message.message, message.wParam, message.lParam);
        if (answer == 0) {
            answer = r;
        }
    }
    return answer;
}

intptr_t CPlatformWindow::SendMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return DispatchMessage(SWindowMessage{this, message, wParam, lParam});
}

void CPlatformWindow::AddListener(IMessageListener* listener) {
    if (!listener) {
        return;
    }
    std::lock_guard<std::mutex> lock(m_ListenerMutex);
    if (std::find(m_Listeners.begin(), m_Listeners.end(), listener) == m_Listeners.end()) {
        m_Listeners.push_back(listener);
    }
}

void CPlatformWindow::RemoveListener(IMessageListener* listener) {
    std::lock_guard<std::mutex> lock(m_ListenerMutex);
    m_Listeners.erase(std::remove(m_Listeners.begin(), m_Listeners.end(), listener), m_Listeners.end());
}

size_t CPlatformWindow::GetListenerCount() const {
    std::lock_guard<std::mutex> lock(m_ListenerMutex);
    return m_Listeners.size();
}

bool CPlatformWindow::SetFullScreen(bool fullScreen) {
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    if (fullScreen == m_FullScreen.load()) {
        return true;
    }
    if (SDL_SetWindowFullscreen(m_Impl->window, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        PlatformWindowSetLastError(std::string("SDL_SetWindowFullscreen: ") + SDL_GetError());
        return false;
    }
    if (!fullScreen) {
        SDL_SetWindowSize(m_Impl->window, m_ClientWidth, m_ClientHeight);
    }
    m_FullScreen = fullScreen;
    return true;
}

void CPlatformWindow::SetTitle(const std::string& title) {
    std::string utf8 = PlatformSjisToUtf8(title);
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    SDL_SetWindowTitle(m_Impl->window, utf8.c_str());
}

bool CPlatformWindow::SetIcon(const uint32_t* pixels, int32_t width, int32_t height) {
    // Icons are small; the bound keeps the byte count far inside an int.
    constexpr int32_t kMaxSide = 1024;
    if (pixels == nullptr || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        PlatformWindowSetLastError("bad icon picture");
        return false;
    }
    // SDL takes the pixels as writable memory: give it a copy.
    std::vector<uint32_t> copy(pixels, pixels + static_cast<size_t>(width) * height);
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(copy.data(), width, height, 32, width * 4,
                                                              SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) {
        PlatformWindowSetLastError(std::string("SDL_CreateRGBSurfaceWithFormatFrom: ") + SDL_GetError());
        return false;
    }
    SDL_SetWindowIcon(m_Impl->window, surface);
    SDL_FreeSurface(surface);
    m_IconWidth = width;
    m_IconHeight = height;
    return true;
}

bool CPlatformWindow::SetIconResource(const char* name) {
    SIconPicture picture;
    if (!FindIconResource(name, &picture)) {
        PlatformWindowSetLastError(std::string("no icon resource ") + (name != nullptr ? name : "(null)"));
        return false;
    }
    return SetIcon(picture.pixels.data(), picture.width, picture.height);
}

void CPlatformWindow::GetIconSize(int32_t* width, int32_t* height) const {
    if (width != nullptr) *width = m_IconWidth;
    if (height != nullptr) *height = m_IconHeight;
}

void CPlatformWindow::Show(bool visible) {
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    if (visible) {
        SDL_ShowWindow(m_Impl->window);
        SDL_RaiseWindow(m_Impl->window);
    } else {
        SDL_HideWindow(m_Impl->window);
    }
}

void CPlatformWindow::ShowCursor(bool visible) {
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

bool CPlatformWindow::IsCursorShown() const {
    std::lock_guard<std::recursive_mutex> lock(PlatformVideoLock());
    return SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE;
}

// Runs under the video lock, on whichever thread pumped.
void CPlatformWindow::_Translate(const void* ev) {
    const SDL_Event& e = *static_cast<const SDL_Event*>(ev);
    SImpl& im = *m_Impl;
    auto post = [this](uint32_t msg, uintptr_t w, intptr_t l) { _Queue(SWindowMessage{this, msg, w, l}); };
    auto modFlags = [&im]() {
        uintptr_t f = im.buttons;
        SDL_Keymod mod = SDL_GetModState();
        if (mod & KMOD_SHIFT) f |= WindowMsg::kFlagShift;
        if (mod & KMOD_CTRL) f |= WindowMsg::kFlagControl;
        return f;
    };
    switch (e.type) {
    case SDL_QUIT:
        post(WindowMsg::kClose, 0, 0);
        break;
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE: post(WindowMsg::kClose, 0, 0); break;
        case SDL_WINDOWEVENT_EXPOSED: post(WindowMsg::kPaint, 0, 0); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            m_Active = true;
            post(WindowMsg::kActivateApp, 1, 0);
            post(WindowMsg::kActivate, 1, 0);
            post(WindowMsg::kSetFocus, 0, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            m_Active = false;
            im.buttons = 0;
            if (im.composing) {
                // The input method drops its composition with the focus; without this end
                // the text window would stay busy until the next composition.
                im.composing = false;
                post(WindowMsg::kImeEndComposition, 0, 0);
            }
            post(WindowMsg::kActivate, 0, 0);
            post(WindowMsg::kActivateApp, 0, 0);
            post(WindowMsg::kKillFocus, 0, 0);
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            m_Minimized = true;
            post(WindowMsg::kSize, WindowMsg::kSizeMinimized, 0);
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            if (m_Minimized.exchange(false) || e.window.event == SDL_WINDOWEVENT_RESTORED) {
                post(WindowMsg::kSize, WindowMsg::kSizeRestored, WindowMsg::MakePoint(m_ClientWidth, m_ClientHeight));
            }
            break;
        case SDL_WINDOWEVENT_LEAVE: post(WindowMsg::kMouseLeave, 0, 0); break;
        default: break;
        }
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        uint32_t vk = PlatformKeyToVirtualKey(e.key.keysym.sym);
        if (vk == 0) {
            break;
        }
        bool down = e.type == SDL_KEYDOWN;
        intptr_t l = 1;
        if (down && e.key.repeat) l |= intptr_t(1) << 30;
        if (!down) l |= (intptr_t(1) << 30) | (intptr_t(1) << 31);
        post(down ? WindowMsg::kKeyDown : WindowMsg::kKeyUp, vk, l);
        break;
    }
    case SDL_TEXTEDITING: {
        const bool composing = e.edit.text[0] != '\0';
        if (composing != im.composing) {
            im.composing = composing;
            post(composing ? WindowMsg::kImeStartComposition : WindowMsg::kImeEndComposition, 0, 0);
        }
        break;
    }
    case SDL_TEXTINPUT: {
        if (im.composing) {
            im.composing = false;
            post(WindowMsg::kImeEndComposition, 0, 0);
        }
        // Characters the code page lacks are dropped.
        const std::string sjis = Utf8ToSjis(e.text.text, ESjisBadInput::kDrop);
        for (size_t i = 0; i < sjis.size();) {
            const unsigned char b = static_cast<unsigned char>(sjis[i]);
            if (SjisCharLength(sjis.data(), sjis.size(), i) == 2) {
                post(WindowMsg::kImeChar, (uintptr_t{b} << 8) | static_cast<unsigned char>(sjis[i + 1]), 0);
                i += 2;
            } else {
                post(WindowMsg::kChar, b, 0);
                i += 1;
            }
        }
        break;
    }
    case SDL_MOUSEMOTION: {
        int32_t x = 0;
        int32_t y = 0;
        MapToClient(e.motion.x, e.motion.y, &x, &y);
        im.lastClientX = x;
        im.lastClientY = y;
        post(WindowMsg::kMouseMove, modFlags(), WindowMsg::MakePoint(x, y));
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        int32_t x = 0;
        int32_t y = 0;
        MapToClient(e.button.x, e.button.y, &x, &y);
        im.lastClientX = x;
        im.lastClientY = y;
        bool down = e.type == SDL_MOUSEBUTTONDOWN;
        uint32_t msg = 0;
        uint32_t flag = 0;
        switch (e.button.button) {
        case SDL_BUTTON_LEFT:
            msg = down ? WindowMsg::kLButtonDown : WindowMsg::kLButtonUp;
            flag = WindowMsg::kFlagLButton;
            break;
        case SDL_BUTTON_RIGHT:
            msg = down ? WindowMsg::kRButtonDown : WindowMsg::kRButtonUp;
            flag = WindowMsg::kFlagRButton;
            break;
        case SDL_BUTTON_MIDDLE:
            msg = down ? WindowMsg::kMButtonDown : WindowMsg::kMButtonUp;
            flag = WindowMsg::kFlagMButton;
            break;
        default: break;
        }
        if (msg == 0) {
            break;
        }
        if (down) {
            im.buttons |= flag;
        } else {
            im.buttons &= ~flag;
        }
        if (down && e.button.button == SDL_BUTTON_LEFT && e.button.clicks == 2) {
            msg = WindowMsg::kLButtonDblClk;
        }
        post(msg, modFlags(), WindowMsg::MakePoint(x, y));
        break;
    }
    case SDL_MOUSEWHEEL: {
        int32_t y = e.wheel.y;
        if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
            y = -y;
        }
        if (y == 0) {
            break;
        }
        uintptr_t w = modFlags() | (static_cast<uintptr_t>(static_cast<uint16_t>(y * WindowMsg::kWheelDelta)) << 16);
        post(WindowMsg::kMouseWheel, w, WindowMsg::MakePoint(im.lastClientX, im.lastClientY));
        break;
    }
    default: break;
    }
}

