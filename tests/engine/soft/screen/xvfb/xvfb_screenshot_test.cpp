// The GDI screen shows its frame in a real window: under a private Xvfb server the
// window is made with SDL's X11 driver, a frame is presented through the GDI window
// screen, and a separate X connection reads the server's screen and looks for the
// frame's pixels there.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "engine/soft/screen/GdiWindowScreen.h"
#include "platform/gdi/GdiDisplay.h"
#include "platform/gdi/GdiWindow.h"
#include "platform/window/PlatformWindow.h"
#include "tests/support/xvfb/XScreen.h"
#include "tests/support/xvfb/Xvfb.h"

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

TEST(GdiScreenUnderXvfb, AScreenshotFromOutsideShowsTheFrameBuffer) {
    std::string binary;
    if (!testsupport::FindXvfb(&binary)) GTEST_SKIP() << "Xvfb is not installed";
    testsupport::CXvfb server;
    if (!server.Start(binary, 320, 240)) GTEST_SKIP() << "Xvfb did not start";
    setenv("DISPLAY", server.Name().c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    GdiResetDisplay();

    std::unique_ptr<CPlatformWindow> window = CPlatformWindow::Create("xvfb", kWidth, kHeight, true);
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(CPlatformWindow::IsHeadless());
    window->SetSoftwarePresent(true);
    // The software cursor would be drawn wherever the server's pointer rests.
    CPlatformWindow::SetPointerProvider([](int32_t*, int32_t*) { return false; });
    {
        CGdiWindowScreen screen(window.get(), nullptr);
        CDirtyRectSurface* frame = screen.GetFrameBuffer();
        ASSERT_TRUE(frame->IsCreated());
        // A picture that appears nowhere else on an empty screen.
        uint32_t seed = 12345;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                seed = seed * 1103515245u + 12345u;
                frame->Fill((seed >> 8) & 0xFFFFFF, SRect{x, y, x + 1, y + 1});
            }
        }
        std::vector<uint32_t> expected(static_cast<size_t>(kWidth) * kHeight);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) expected[static_cast<size_t>(y) * kWidth + x] = frame->GetPixel(x, y);
        }

        CXScreenReader reader(server.Name());
        ASSERT_TRUE(reader.IsOpen());
        bool found = false;
        // The window maps and draws on the server's own time: a bounded wait.
        for (int attempt = 0; attempt < 60 && !found; ++attempt) {
            window->PumpMessages();
            const SSize size = frame->GetSize();
            frame->GetUpdateList().AddRectSize(0, 0, size.cx, size.cy);
            EXPECT_EQ(screen.Update(), 1);
            found = reader.Contains(expected, kWidth, kHeight);
            if (!found) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        EXPECT_TRUE(found) << "the frame buffer's pixels are not on the X screen";
        // The search itself tells a different picture apart.
        std::vector<uint32_t> other = expected;
        other[static_cast<size_t>(kWidth) * kHeight / 2] ^= 0x00FFFFFF;
        EXPECT_FALSE(reader.Contains(other, kWidth, kHeight));
    }
    CPlatformWindow::SetPointerProvider(nullptr);
    GdiForgetWindow(window.get());
    window.reset();
}

}  // namespace
