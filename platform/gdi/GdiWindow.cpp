#include "platform/gdi/GdiWindow.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

#include "platform/window/PlatformWindow.h"

struct SGdiWindowPicture {
    std::vector<uint8_t> pixels;
    int32_t width = 0;
    int32_t height = 0;
    SRect invalid;
    bool hasInvalid = false;
};

namespace {

struct SWindowTable {
    std::mutex mutex;
    std::map<WindowHandle, std::shared_ptr<SGdiWindowPicture>> pictures;
    GdiWindowDCProvider provider;
};

SWindowTable& Table() {
    static SWindowTable table;
    return table;
}

SRect _Union(const SRect& a, const SRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return SRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom)};
}

// The window's picture, made (black) or resized to the client area as needed.
std::shared_ptr<SGdiWindowPicture> _PictureOf(WindowHandle window) {
    int32_t w = 0, h = 0;
    window->GetClientSize(&w, &h);
    SWindowTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    std::shared_ptr<SGdiWindowPicture>& p = t.pictures[window];
    if (!p) p = std::make_shared<SGdiWindowPicture>();
    if (p->width != w || p->height != h) {
        p->width = std::max(w, 0);
        p->height = std::max(h, 0);
        p->pixels.assign(static_cast<size_t>(p->width) * static_cast<size_t>(p->height) * 4, 0);
    }
    return p;
}

GdiWindowDCProvider _Provider() {
    SWindowTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    return t.provider;
}

}  // namespace

CGdiWindowDC::CGdiWindowDC(WindowHandle window) : m_Window(window) {
    if (m_Window) m_Picture = _PictureOf(m_Window);
}

CGdiWindowDC::~CGdiWindowDC() { Flush(); }

SGdiPixels CGdiWindowDC::GetPixels() const {
    SGdiPixels p;
    if (!m_Picture || m_Picture->pixels.empty()) return p;
    p.bits = m_Picture->pixels.data();
    p.pitch = m_Picture->width * 4;
    p.width = m_Picture->width;
    p.height = m_Picture->height;
    p.format = EGdiPixelFormat::B8G8R8X8;
    return p;
}

void CGdiWindowDC::OnPixelsChanged(const SRect& area) { m_Pending = _Union(m_Pending, area); }

int CGdiWindowDC::GetBitsPerPixel() const { return GdiGetDesktopBitsPerPixel(); }

void CGdiWindowDC::Flush() {
    if (m_Pending.IsEmpty() || !m_Window || !m_Picture) return;
    m_Pending = SRect{};
    m_Window->PresentFrame(m_Picture->pixels.data(), m_Picture->width, m_Picture->height, m_Picture->width * 4);
}

std::unique_ptr<CGdiDC> GdiGetWindowDC(WindowHandle window) {
    if (GdiWindowDCProvider provider = _Provider()) return provider(window, false);
    if (!window) return nullptr;
    return std::make_unique<CGdiWindowDC>(window);
}

std::unique_ptr<CGdiDC> GdiBeginPaint(WindowHandle window, SRect* paintArea) {
    SRect area;
    if (window) {
        SRect client;
        GdiGetClientRect(window, &client);
        std::shared_ptr<SGdiWindowPicture> p = _PictureOf(window);
        SWindowTable& t = Table();
        std::lock_guard<std::mutex> lock(t.mutex);
        // A request that nobody invalidated comes from the system: all of it.
        area = p->hasInvalid ? p->invalid : client;
        area.left = std::max(area.left, client.left);
        area.top = std::max(area.top, client.top);
        area.right = std::min(area.right, client.right);
        area.bottom = std::min(area.bottom, client.bottom);
        if (area.IsEmpty()) area = SRect{};
        p->invalid = SRect{};
        p->hasInvalid = false;
    }
    if (paintArea) *paintArea = area;
    if (GdiWindowDCProvider provider = _Provider()) return provider(window, true);
    if (!window) return nullptr;
    return std::make_unique<CGdiPaintDC>(window, area);
}

void GdiEndPaint(std::unique_ptr<CGdiDC> paintDC) { paintDC.reset(); }

bool GdiInvalidateRect(WindowHandle window, const SRect* area, bool /*erase*/) {
    if (!window) return false;
    SRect client;
    GdiGetClientRect(window, &client);
    std::shared_ptr<SGdiWindowPicture> p = _PictureOf(window);
    {
        SWindowTable& t = Table();
        std::lock_guard<std::mutex> lock(t.mutex);
        const SRect add = area ? *area : client;
        if (!add.IsEmpty()) {
            p->invalid = p->hasInvalid ? _Union(p->invalid, add) : add;
            p->hasInvalid = true;
        }
    }
    window->PostMessage(WindowMsg::kPaint, 0, 0);
    return true;
}

bool GdiGetClientRect(WindowHandle window, SRect* rect) {
    SRect r;
    bool ok = false;
    if (window) {
        int32_t w = 0, h = 0;
        ok = window->GetClientSize(&w, &h);
        r = SRect{0, 0, w, h};
    }
    if (rect) *rect = r;
    return ok;
}

SGdiPixels GdiGetWindowPicture(WindowHandle window) {
    SGdiPixels p;
    SWindowTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.pictures.find(window);
    if (it == t.pictures.end() || it->second->pixels.empty()) return p;
    p.bits = it->second->pixels.data();
    p.pitch = it->second->width * 4;
    p.width = it->second->width;
    p.height = it->second->height;
    p.format = EGdiPixelFormat::B8G8R8X8;
    return p;
}

void GdiForgetWindow(WindowHandle window) {
    SWindowTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    t.pictures.erase(window);
}

void GdiSetWindowDCProvider(GdiWindowDCProvider provider) {
    SWindowTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    t.provider = std::move(provider);
}
