// The display-mode changers' state machines, with the settling sleeps recorded.
#include <gtest/gtest.h>

#include <vector>

#include "engine/base/AppManager.h"
#include "engine/base/Log.h"
#include "engine/base/Window.h"
#include "engine/soft/DirectDraw.h"
#include "engine/soft/screen/ChangeDisplayDDraw.h"
#include "engine/soft/screen/DisplayChangerFactory.h"
#include "platform/ddraw/DDraw.h"
#include "platform/gdi/GdiDisplay.h"

namespace {

WindowHandle Fake() { return reinterpret_cast<WindowHandle>(uintptr_t{0x7000}); }

class ChangeDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        GdiResetDisplay();
        DDrawResetFaults();
        SetDisplayChangeSleep([this](uint32_t ms) { sleeps.push_back(ms); });
    }
    void TearDown() override {
        SetDisplayChangeSleep(nullptr);
        CAppManager::SetHWnd(nullptr);
        CDirectDrawManager::GetInstance()->Release(Fake());
        GdiResetDisplay();
        DDrawResetFaults();
    }
    // The fake window as the thread's, with a DirectDraw object of its own.
    CDirectDraw* WindowWithObject() {
        CAppManager::SetHWnd(Fake());
        EXPECT_TRUE(CDirectDrawManager::GetInstance()->Initialize(Fake()));
        return CDirectDrawManager::GetInstance()->Find(Fake());
    }
    std::vector<uint32_t> sleeps;
};

TEST_F(ChangeDisplayTest, Win32ChangeAndReset) {
    CChangeDisplayWin32API changer;
    EXPECT_EQ(changer.GetKind(), 1);
    EXPECT_TRUE(changer.Reset());  // not changed: nothing
    EXPECT_TRUE(sleeps.empty());
    ASSERT_TRUE(changer.ChangeDisplay(800, 600, 16));
    EXPECT_EQ(sleeps, (std::vector<uint32_t>{100, 200}));
    EXPECT_TRUE(changer.IsChanged());
    EXPECT_EQ(GdiGetDesktopBitsPerPixel(), 16);
    EXPECT_EQ(GdiGetDisplayMode().refreshRate, 60);
    EXPECT_TRUE(changer.ChangeDisplay(800, 600, 0));  // 0: a reset
    EXPECT_FALSE(changer.IsChanged());
    EXPECT_EQ(GdiGetDesktopBitsPerPixel(), 32);
    const uint64_t changes = GdiGetDisplayChangeCount();
    EXPECT_TRUE(changer.Reset());
    EXPECT_EQ(GdiGetDisplayChangeCount(), changes);
}

// The first attempt asks for the refresh rate the display runs at now: a desktop at
// 75 Hz keeps 75 Hz (a change without a rate would get the driver's default, 60).
TEST_F(ChangeDisplayTest, Win32FirstAsksForTheCurrentRefreshRate) {
    ASSERT_TRUE(GdiSetDisplayMode(SGdiDisplayMode{1920, 1080, 32, 75}));
    CChangeDisplayWin32API changer;
    ASSERT_TRUE(changer.ChangeDisplay(800, 600, 16));
    EXPECT_EQ(GdiGetDisplayMode().refreshRate, 75);
    EXPECT_EQ(GdiGetDisplayMode().width, 800);
}

TEST_F(ChangeDisplayTest, Win32RetriesWithoutTheRefreshRate) {
    GdiDisplayFaults().refuseRefreshRate = true;
    CChangeDisplayWin32API changer;
    ASSERT_TRUE(changer.ChangeDisplay(640, 480, 32));
    EXPECT_EQ(GdiGetDisplayMode().width, 640);
}

TEST_F(ChangeDisplayTest, Win32FailedChangeStillCountsAsChanged) {
    GdiDisplayFaults().failChange = true;
    CLogCapture log;
    {
        CChangeDisplayWin32API changer;
        EXPECT_FALSE(changer.ChangeDisplay(800, 600, 16));
        EXPECT_EQ(sleeps, (std::vector<uint32_t>{100}));
        EXPECT_TRUE(changer.IsChanged());
        GdiDisplayFaults().failRestore = true;
        EXPECT_FALSE(changer.Reset());
        EXPECT_TRUE(changer.IsChanged());
    }
    EXPECT_TRUE(log.Contains("CChangeDisplayWin32API::_Finalize() 後処理に失敗した"));
}

TEST_F(ChangeDisplayTest, Win32TestsFifteenAsSixteen) {
    CChangeDisplayWin32API changer;
    EXPECT_TRUE(changer.TestDisplayMode(640, 480, 15));
    EXPECT_EQ(sleeps, (std::vector<uint32_t>{100, 200}));
    EXPECT_TRUE(changer.TestDisplayMode(640, 480, 0));
    EXPECT_FALSE(changer.TestDisplayMode(640, 480, 8));
    EXPECT_FALSE(changer.IsChanged());
    EXPECT_EQ(GdiGetDesktopBitsPerPixel(), 32);
}

TEST_F(ChangeDisplayTest, DDrawWithoutAWindowUsesTheDisplaySettings) {
    CLogCapture log;
    CChangeDisplayDDraw changer;
    EXPECT_TRUE(log.Contains("CChangeDisplayDDraw::CChangeDisplayDDraw() CAppManager::GetHWnd()に失敗.以後Win32APIを使用します"));
    EXPECT_FALSE(changer.UsesDirectDraw());
    EXPECT_EQ(changer.GetKind(), 2);
    ASSERT_TRUE(changer.ChangeDisplay(800, 600, 16));
    EXPECT_TRUE(changer.IsChanged());
    EXPECT_TRUE(GdiIsDisplayChanged());
    EXPECT_TRUE(changer.Reset());
    EXPECT_FALSE(GdiIsDisplayChanged());
}

TEST_F(ChangeDisplayTest, DDrawWithoutAnObjectSaysSo) {
    CAppManager::SetHWnd(Fake());
    CLogCapture log;
    CChangeDisplayDDraw changer;
    EXPECT_TRUE(log.Contains("DirectDrawインターフェースを取得できません.以後Win32APIを使用します"));
    EXPECT_FALSE(changer.UsesDirectDraw());
}

TEST_F(ChangeDisplayTest, DDrawChangeAndResetThroughTheObject) {
    CDirectDraw* dd = WindowWithObject();
    ASSERT_NE(dd, nullptr);
    CChangeDisplayDDraw changer;
    ASSERT_TRUE(changer.UsesDirectDraw());
    ASSERT_TRUE(changer.ChangeDisplay(800, 600, 16));
    EXPECT_EQ(sleeps, (std::vector<uint32_t>{100, 200}));
    EXPECT_TRUE(dd->IsFullScreen());
    EXPECT_EQ(dd->GetInterface()->GetCooperativeLevel(), 0x411u);
    EXPECT_EQ(GdiGetDesktopBitsPerPixel(), 16);
    sleeps.clear();
    ASSERT_TRUE(changer.Reset());
    EXPECT_EQ(sleeps, (std::vector<uint32_t>{100, 200}));
    EXPECT_EQ(dd->GetInterface()->GetCooperativeLevel(), 0x408u);
    EXPECT_EQ(GdiGetDesktopBitsPerPixel(), 32);
    sleeps.clear();
    EXPECT_TRUE(changer.Reset());
    EXPECT_TRUE(sleeps.empty());
    // Bits per pixel 0 is a reset as well.
    ASSERT_TRUE(changer.ChangeDisplay(800, 600, 16));
    sleeps.clear();
    EXPECT_TRUE(changer.ChangeDisplay(800, 600, 0));
    EXPECT_EQ(sleeps, (std::vector<uint32_t>{100, 200}));
    EXPECT_FALSE(changer.IsChanged());
    EXPECT_FALSE(GdiIsDisplayChanged());
    EXPECT_EQ(dd->GetInterface()->GetCooperativeLevel(), 0x408u);
}

// A changer that goes resets a mode it changed, while the window's object stays.
TEST_F(ChangeDisplayTest, DDrawChangerThatGoesResetsTheMode) {
    CDirectDraw* dd = WindowWithObject();
    ASSERT_NE(dd, nullptr);
    ASSERT_TRUE(CChangeDisplayDDraw().ChangeDisplay(800, 600, 16));
    EXPECT_EQ(CDirectDrawManager::GetInstance()->Find(Fake()), dd);
    EXPECT_FALSE(GdiIsDisplayChanged());
    EXPECT_EQ(GdiGetDesktopBitsPerPixel(), 32);
    EXPECT_EQ(dd->GetInterface()->GetCooperativeLevel(), 0x408u);
}

TEST_F(ChangeDisplayTest, DDrawFailuresAreLogged) {
    CAppManager::SetHWnd(Fake());
    ASSERT_TRUE(CDirectDrawManager::GetInstance()->Initialize(Fake()));
    CChangeDisplayDDraw changer;
    CLogCapture log;
    DDrawFaults().failCooperativeLevel = true;
    EXPECT_FALSE(changer.ChangeDisplay(800, 600, 16));
    EXPECT_TRUE(log.Contains("CChangeDisplayDDraw::ChangeDisplay() SetCooperativeLevelに失敗"));
    EXPECT_TRUE(changer.IsChanged());
    DDrawFaults().failCooperativeLevel = false;
    DDrawFaults().failSetDisplayMode = true;
    EXPECT_FALSE(changer.ChangeDisplay(800, 600, 16));
    EXPECT_TRUE(log.Contains("CChangeDisplayDDraw::ChangeDisplay() SetDisplayModeに失敗"));
    DDrawFaults().failRestoreDisplayMode = true;
    EXPECT_FALSE(changer.Reset());
    EXPECT_TRUE(log.Contains("CChangeDisplayDDraw::Reset() RestoreDisplayModeに失敗"));
    EXPECT_FALSE(changer.IsChanged());
    DDrawFaults() = SDDrawFaults{};
    ASSERT_TRUE(changer.ChangeDisplay(800, 600, 32));
    DDrawFaults().failCooperativeLevel = true;
    EXPECT_FALSE(changer.Reset());
    EXPECT_TRUE(log.Contains("CChangeDisplayDDraw::Reset() SetCooperativeLevelに失敗"));
    DDrawFaults().failCooperativeLevel = false;
    // The window lost its object: the changer refuses to act.
    ASSERT_TRUE(changer.ChangeDisplay(800, 600, 32));
    CDirectDrawManager::GetInstance()->Release(Fake());
    EXPECT_FALSE(changer.ChangeDisplay(800, 600, 16));
    EXPECT_FALSE(changer.Reset());
}

TEST_F(ChangeDisplayTest, TheWindowsKindsAndTheDirectDrawLifetime) {
    CAppManager::SetHWnd(Fake());
    std::unique_ptr<CChangeDisplay> changer = MakeDisplayChanger(CWindow::kChangerDirectDraw);
    EXPECT_EQ(changer->GetKind(), 2);
    EXPECT_NE(CDirectDrawManager::GetInstance()->Find(Fake()), nullptr);
    ASSERT_TRUE(changer->ChangeDisplay(800, 600, 16));
    changer.reset();
    EXPECT_EQ(CDirectDrawManager::GetInstance()->Find(Fake()), nullptr);
    EXPECT_FALSE(GdiIsDisplayChanged());
    EXPECT_EQ(MakeDisplayChanger(0)->GetKind(), 1);
    EXPECT_EQ(MakeDisplayChanger(2)->GetKind(), 1);
    EXPECT_EQ(DisplayChangerRequestOf(2), CWindow::kChangerDirectDraw);
    EXPECT_EQ(MakeDisplayChanger(DisplayChangerRequestOf(1))->GetKind(), 1);
    // An object made by someone else stays when the changer goes.
    ASSERT_TRUE(CDirectDrawManager::GetInstance()->Initialize(Fake()));
    MakeDisplayChanger(CWindow::kChangerDirectDraw).reset();
    EXPECT_NE(CDirectDrawManager::GetInstance()->Find(Fake()), nullptr);
}

}  // namespace
