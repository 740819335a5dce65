#include <gtest/gtest.h>

#include <thread>

#include "engine/base/AppManager.h"
#include "platform/window/PlatformWindow.h"

class CScreen {};
class CD3DDevice {};

namespace {

// Runs `f` on a thread of its own and waits for it.
template <class F>
void OnOtherThread(F f) {
    std::thread t(f);
    t.join();
}

class CRecorder : public IMessageListener {
public:
    std::vector<uint32_t> seen;
    intptr_t OnMessage(WindowHandle, uint32_t message, uintptr_t, intptr_t) override {
        seen.push_back(message);
        return 0;
    }
};

}  // namespace

TEST(AppManager, RecordsBelongToTheirThread) {
    CScreen screen;
    CD3DDevice device;
    int sound = 0;
    CAppManager::RegisterScreen(&screen);
    CAppManager::SetD3DDevice(&device);
    CAppManager::SetDirectSound(&sound);
    EXPECT_EQ(CAppManager::GetScreen(), &screen);
    EXPECT_EQ(CAppManager::GetD3DDevice(), &device);
    EXPECT_EQ(CAppManager::GetDirectSound(), &sound);
    OnOtherThread([] {
        EXPECT_EQ(CAppManager::GetScreen(), nullptr);
        EXPECT_EQ(CAppManager::GetD3DDevice(), nullptr);
        EXPECT_EQ(CAppManager::GetApp(0), nullptr);
        EXPECT_EQ(CAppManager::GetHWnd(), nullptr);
        EXPECT_EQ(CAppManager::GetMainLoop(0), nullptr);
    });
    CAppManager::UnregisterScreen(&screen);
    CAppManager::SetD3DDevice(nullptr);
    CAppManager::SetDirectSound(nullptr);
    EXPECT_EQ(CAppManager::GetScreen(), nullptr);
    EXPECT_EQ(CAppManager::GetRecordCount(), 0u) << "an empty record is dropped";
}

TEST(AppManager, ScreenAndScreenOutputAreSeparateRecords) {
    CScreen screen;
    int gdiScreen = 0;
    CAppManager::RegisterScreen(&screen);
    CAppManager::SetScreen(&gdiScreen);
    EXPECT_EQ(CAppManager::GetScreen(), &screen);
    EXPECT_EQ(CAppManager::GetScreenOutput(), &gdiScreen);
    CAppManager::RemoveScreen(&gdiScreen);
    EXPECT_EQ(CAppManager::GetScreen(), &screen) << "removing the GDI output leaves the screen";
    EXPECT_EQ(CAppManager::GetScreenOutput(), nullptr);
    CAppManager::UnregisterScreen(&screen);
    EXPECT_EQ(CAppManager::GetRecordCount(), 0u);
}

TEST(AppManager, ScreenByWindowHandleFromAnotherThread) {
    auto window = CPlatformWindow::Create("test", 64, 48, false);
    ASSERT_NE(window, nullptr);
    CScreen screen;
    CAppManager::SetHWnd(window.get());
    CAppManager::RegisterScreen(&screen);
    WindowHandle handle = window.get();
    OnOtherThread([handle, &screen] {
        EXPECT_EQ(CAppManager::GetScreen(), nullptr);
        EXPECT_EQ(CAppManager::GetScreen(handle), &screen);
    });
    CScreen* unknown = CAppManager::GetScreen(reinterpret_cast<WindowHandle>(0x10));
    EXPECT_EQ(unknown, nullptr);
    CAppManager::UnregisterThread();
    EXPECT_EQ(CAppManager::GetScreen(handle), nullptr);
}

TEST(AppManager, RegisterAppNeedsAWindowAndFeedsTheListenerChain) {
    CRecorder rec;
    EXPECT_FALSE(CAppManager::RegisterApp(&rec, 0)) << "no window on this thread";
    auto window = CPlatformWindow::Create("test", 64, 48, false);
    ASSERT_NE(window, nullptr);
    CAppManager::SetHWnd(window.get());
    EXPECT_TRUE(CAppManager::RegisterApp(&rec, 0));
    window->PostMessage(WindowMsg::kPaint);
    window->PostMessage(WindowMsg::kMouseMove, 0, WindowMsg::MakePoint(1, 2));
    window->PumpMessages();
    CAppManager::UnregisterApp(&rec, 0);
    window->PostMessage(WindowMsg::kPaint);
    window->PumpMessages();
    EXPECT_EQ(rec.seen, (std::vector<uint32_t>{WindowMsg::kPaint, WindowMsg::kMouseMove}));
    CAppManager::UnregisterThread();
}
