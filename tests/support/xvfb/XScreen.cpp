#include "tests/support/xvfb/XScreen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

CXScreenReader::CXScreenReader(const std::string& display) : m_Display(XOpenDisplay(display.c_str())) {}

CXScreenReader::~CXScreenReader() {
    if (m_Display) XCloseDisplay(static_cast<Display*>(m_Display));
}

bool CXScreenReader::Contains(const std::vector<uint32_t>& block, int bw, int bh) {
    Display* x = static_cast<Display*>(m_Display);
    if (!x || block.size() < static_cast<size_t>(bw) * static_cast<size_t>(bh) || bw <= 0 || bh <= 0) return false;
    XSync(x, False);
    const int screen = DefaultScreen(x);
    const int w = DisplayWidth(x, screen), h = DisplayHeight(x, screen);
    XImage* image = XGetImage(x, RootWindow(x, screen), 0, 0, static_cast<unsigned>(w), static_cast<unsigned>(h),
                              AllPlanes, ZPixmap);
    if (!image) return false;
    bool found = false;
    for (int y = 0; y + bh <= h && !found; ++y) {
        for (int x0 = 0; x0 + bw <= w && !found; ++x0) {
            if ((XGetPixel(image, x0, y) & 0xFFFFFF) != block[0]) continue;
            bool all = true;
            for (int fy = 0; fy < bh && all; ++fy) {
                for (int fx = 0; fx < bw && all; ++fx) {
                    all = (XGetPixel(image, x0 + fx, y + fy) & 0xFFFFFF) == block[static_cast<size_t>(fy) * bw + fx];
                }
            }
            found = all;
        }
    }
    XDestroyImage(image);
    return found;
}

bool CXScreenReader::Capture(std::vector<uint32_t>* pixels, int* w, int* h) {
    Display* x = static_cast<Display*>(m_Display);
    if (!x) return false;
    XSync(x, False);
    const int screen = DefaultScreen(x);
    *w = DisplayWidth(x, screen);
    *h = DisplayHeight(x, screen);
    XImage* image = XGetImage(x, RootWindow(x, screen), 0, 0, static_cast<unsigned>(*w), static_cast<unsigned>(*h),
                              AllPlanes, ZPixmap);
    if (!image) return false;
    pixels->resize(static_cast<size_t>(*w) * static_cast<size_t>(*h));
    for (int y = 0; y < *h; ++y) {
        for (int x0 = 0; x0 < *w; ++x0) {
            (*pixels)[static_cast<size_t>(y) * static_cast<size_t>(*w) + static_cast<size_t>(x0)] =
                static_cast<uint32_t>(XGetPixel(image, x0, y) & 0xFFFFFF);
        }
    }
    XDestroyImage(image);
    return true;
}
