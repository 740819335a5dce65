#include <gtest/gtest.h>

#include <SDL.h>

#include <thread>

#include "platform/window/KeyMap.h"
#include "platform/window/PlatformVideo.h"
#include "platform/window/PlatformWindow.h"
#include "platform/window/WindowIcon.h"
#include "platform/window/Shell.h"
#include "platform/sys/SjisCodec.h"

namespace {

class CChainListener : public IMessageListener {
public:
    CChainListener(std::vector<std::string>* log, std::string name, intptr_t answer)
        : m_Log(log), m_Name(std::move(name)), m_Answer(answer) {}
    IMessageListener* removeOnMessage = nullptr;
    CPlatformWindow* window = nullptr;
    intptr_t OnMessage(WindowHandle w, uint32_t message, uintptr_t, intptr_t) override {
        EXPECT_EQ(w, window);
        m_Log->push_back(m_Name + ":" + std::to_string(message));
        if (removeOnMessage) window->RemoveListener(removeOnMessage);
        return m_Answer;
    }

private:
    std::vector<std::string>* m_Log;
    std::string m_Name;
    intptr_t m_Answer;
};

std::unique_ptr<CPlatformWindow> MakeWindow() { return CPlatformWindow::Create("test", 800, 600, false); }

}  // namespace

TEST(KeyMap, VirtualKeyCodesOfTheKeysTheGameReads) {
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_RETURN), 13u);
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_KP_ENTER), 13u);
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_LCTRL), 17u);
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_RCTRL), 17u);
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_ESCAPE), 27u);
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_SPACE), 32u);
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_PAGEDOWN), 34u);
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_LEFT), 37u);
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_UP), 38u);
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_RIGHT), 39u);
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_DOWN), 40u);
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_a), static_cast<uint32_t>('A'));
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_z), static_cast<uint32_t>('Z'));
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_0), static_cast<uint32_t>('0'));
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_9), static_cast<uint32_t>('9'));
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_F1), 0x70u);
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_F12), 0x7Bu);
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_KP_0), 0x60u);
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_KP_9), 0x69u);
    EXPECT_EQ(PlatformKeyToVirtualKey(SDLK_CAPSLOCK), 0u);
    EXPECT_EQ(PlatformMouseButtonToVirtualKey(SDL_BUTTON_LEFT), 1u);
    EXPECT_EQ(PlatformMouseButtonToVirtualKey(SDL_BUTTON_RIGHT), 2u);
    EXPECT_EQ(PlatformMouseButtonToVirtualKey(SDL_BUTTON_MIDDLE), 4u);
    EXPECT_EQ(PlatformMouseButtonToVirtualKey(SDL_BUTTON_X1), 0u);
}

TEST(PlatformWindow, ListenerChainInOrderWithTheFirstNonZeroAnswer) {
    auto w = MakeWindow();
    ASSERT_NE(w, nullptr);
    std::vector<std::string> log;
    CChainListener a(&log, "a", 0), b(&log, "b", 5), c(&log, "c", 9);
    a.window = b.window = c.window = w.get();
    w->AddListener(&a);
    w->AddListener(&b);
    w->AddListener(&c);
    w->AddListener(&b);  // once only
    EXPECT_EQ(w->GetListenerCount(), 3u);
    EXPECT_EQ(w->SendMessage(WindowMsg::kPaint), 5);
    EXPECT_EQ(log, (std::vector<std::string>{"a:15", "b:15", "c:15"}));
    log.clear();
    // A listener that removes a later one during the message: the removed one hears no more.
    a.removeOnMessage = &c;
    w->SendMessage(WindowMsg::kClose);
    EXPECT_EQ(log, (std::vector<std::string>{"a:16", "b:16"}));
    w->RemoveListener(&a);
    w->RemoveListener(&b);
    EXPECT_EQ(w->GetListenerCount(), 0u);
    EXPECT_EQ(w->SendMessage(WindowMsg::kPaint), 0);
}

TEST(PlatformWindow, PostedMessagesFromAnyThreadArriveInOrderOnThePump) {
    auto w = MakeWindow();
    ASSERT_NE(w, nullptr);
    std::vector<std::string> log;
    CChainListener a(&log, "a", 0);
    a.window = w.get();
    w->AddListener(&a);
    std::thread t([&] {
        w->PostMessage(WindowMsg::kUser + 1);
        w->PostMessage(WindowMsg::kUser + 2);
    });
    t.join();
    EXPECT_TRUE(log.empty()) << "posting does not dispatch";
    EXPECT_GE(w->PumpMessages(), 2);
    ASSERT_GE(log.size(), 2u);
    std::vector<std::string> users;
    for (auto& l : log)
        if (l == "a:1025" || l == "a:1026") users.push_back(l);
    EXPECT_EQ(users, (std::vector<std::string>{"a:1025", "a:1026"}));
    w->RemoveListener(&a);
}

TEST(PlatformWindow, HeadlessPresentIsHarmlessAndBadPicturesAreRefused) {
    auto w = MakeWindow();
    ASSERT_NE(w, nullptr);
    std::vector<uint8_t> px(800 * 600 * 4, 0x40);
    EXPECT_TRUE(w->PresentFrame(px.data(), 800, 600, 800 * 4));
    EXPECT_FALSE(w->PresentFrame(nullptr, 800, 600, 800 * 4));
    EXPECT_FALSE(w->PresentFrame(px.data(), 800, 600, 100));
    EXPECT_FALSE(w->PresentFrame(px.data(), 0, 600, 800 * 4));
    int32_t cw = 0, ch = 0;
    EXPECT_TRUE(w->GetClientSize(&cw, &ch));
    EXPECT_EQ(cw, 800);
    EXPECT_EQ(ch, 600);
}

TEST(PlatformWindow, TheProgramIconIsDrawnAndSetWhileBadOnesAreRefused) {
    SIconPicture icon;
    ASSERT_TRUE(FindIconResource("ID_ICON", &icon));
    ASSERT_EQ(icon.width, kWindowIconSize);
    ASSERT_EQ(icon.height, kWindowIconSize);
    ASSERT_EQ(icon.pixels.size(), static_cast<size_t>(kWindowIconSize * kWindowIconSize));
    // Round: clear corners, an opaque middle.
    EXPECT_EQ(icon.pixels.front() >> 24, 0u);
    EXPECT_EQ(icon.pixels[kWindowIconSize * kWindowIconSize / 2 + kWindowIconSize / 2] >> 24, 0xFFu);
    EXPECT_FALSE(FindIconResource("ID_OTHER", &icon));
    EXPECT_FALSE(FindIconResource(nullptr, &icon));

    auto w = MakeWindow();
    ASSERT_NE(w, nullptr);
    int32_t iw = -1, ih = -1;
    w->GetIconSize(&iw, &ih);
    EXPECT_EQ(iw, 0);
    EXPECT_TRUE(w->SetIconResource("ID_ICON"));
    w->GetIconSize(&iw, &ih);
    EXPECT_EQ(iw, kWindowIconSize);
    EXPECT_EQ(ih, kWindowIconSize);
    EXPECT_FALSE(w->SetIconResource("ID_OTHER"));
    EXPECT_FALSE(w->SetIcon(nullptr, 16, 16));
    EXPECT_FALSE(w->SetIcon(icon.pixels.data(), 0, 16));
    w->GetIconSize(&iw, &ih);
    EXPECT_EQ(iw, kWindowIconSize) << "a refused icon leaves the one set before";
}

TEST(PlatformWindow, SdlEventsBecomeMessagesOfTheirWindow) {
    auto w = MakeWindow();
    auto other = MakeWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_NE(other, nullptr);
    w->PumpEvents();
    while (w->PeekMessage(nullptr)) {
    }
    while (other->PeekMessage(nullptr)) {
    }
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = w->GetSystemId();
    e.key.keysym.sym = SDLK_PAGEDOWN;
    SDL_PushEvent(&e);
    SDL_Event b{};
    b.type = SDL_MOUSEBUTTONDOWN;
    b.button.windowID = other->GetSystemId();
    b.button.button = SDL_BUTTON_RIGHT;
    b.button.x = 30;
    b.button.y = 40;
    SDL_PushEvent(&b);
    w->PumpEvents();  // one pump serves both windows
    SWindowMessage km;
    ASSERT_TRUE(w->PeekMessage(&km));
    EXPECT_EQ(km.message, WindowMsg::kKeyDown);
    EXPECT_EQ(km.wParam, 34u);
    EXPECT_FALSE(w->PeekMessage(&km));
    ASSERT_TRUE(other->PeekMessage(&km));
    EXPECT_EQ(km.message, WindowMsg::kRButtonDown);
    EXPECT_EQ(WindowMsg::PointX(km.lParam), 30);
    EXPECT_EQ(WindowMsg::PointY(km.lParam), 40);
    EXPECT_EQ(km.wParam & WindowMsg::kFlagRButton, WindowMsg::kFlagRButton);

    SDL_Event q{};
    q.type = SDL_QUIT;
    SDL_PushEvent(&q);
    w->PumpEvents();
    SWindowMessage m;
    ASSERT_TRUE(w->PeekMessage(&m));
    EXPECT_EQ(m.message, WindowMsg::kClose) << "a quit request closes every window";
    EXPECT_EQ(m.window, w.get());
    ASSERT_TRUE(other->PeekMessage(&m));
    EXPECT_EQ(m.message, WindowMsg::kClose);
}

TEST(PlatformWindow, FullScreenLetterboxMapsPointsBackToTheClient) {
    auto w = MakeWindow();
    ASSERT_NE(w, nullptr);
    int32_t x = -1, y = -1;
    w->MapToClient(100, 200, &x, &y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 200);
    w->MapToClient(-5, 700, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 599) << "outside points go to the nearest edge";
    if (!w->SetFullScreen(true)) {
        GTEST_SKIP() << "this video driver has no full screen";
    }
    int32_t dw = 0, dh = 0;
    w->GetDrawableSize(&dw, &dh);
    w->MapToClient(dw / 2, dh / 2, &x, &y);
    EXPECT_NEAR(x, 400, 1);
    EXPECT_NEAR(y, 300, 1);
    EXPECT_TRUE(w->SetFullScreen(false));
    EXPECT_FALSE(w->IsFullScreen());
}

// The pointer as the desktop's pointer query gives it, and screen pixels turned into
// client pixels: in a framed window only the window's place is taken off (nothing is
// clamped); in full screen the screen is the picture already.
TEST(PlatformWindow, PointerPositionAndScreenToClient) {
    auto w = MakeWindow();
    ASSERT_NE(w, nullptr);
    int32_t x = 7, y = 7;
    if (CPlatformWindow::IsHeadless()) {
        EXPECT_FALSE(w->GetPointerPosition(&x, &y)) << "no pointer without a display";
    }
    CPlatformWindow::SetPointerProvider([](int32_t* px, int32_t* py) {
        *px = 1234;
        *py = -56;
        return true;
    });
    ASSERT_TRUE(w->GetPointerPosition(&x, &y));
    EXPECT_EQ(x, 1234);
    EXPECT_EQ(y, -56);
    CPlatformWindow::SetPointerProvider(nullptr);
    int32_t ox = 0, oy = 0;
    w->ScreenToClient(&ox, &oy);
    int32_t fx = 5000, fy = -3000;
    w->ScreenToClient(&fx, &fy);
    EXPECT_EQ(fx, ox + 5000) << "a point off the window stays off it";
    EXPECT_EQ(fy, oy - 3000);
    if (!w->SetFullScreen(true)) {
        GTEST_SKIP() << "this video driver has no full screen";
    }
    x = 321;
    y = 123;
    w->ScreenToClient(&x, &y);
    EXPECT_EQ(x, 321);
    EXPECT_EQ(y, 123);
    EXPECT_TRUE(w->SetFullScreen(false));
}

TEST(PlatformText, ShiftJisBecomesUtf8) {
    EXPECT_EQ(PlatformSjisToUtf8("abc"), "abc");
    EXPECT_EQ(PlatformSjisToUtf8("\x8C\x78\x8D\x90"), "\xE8\xAD\xA6\xE5\x91\x8A");  // 警告
    EXPECT_EQ(PlatformSjisToUtf8(std::string("a\x82", 2)), "a?") << "a cut-off character";
}

TEST(DesktopDepth, DecidedByBytesPerPixel) {
    EXPECT_TRUE(PlatformIsRefusedDepth(3));
    EXPECT_FALSE(PlatformIsRefusedDepth(4)) << "a 32-bit desktop that SDL calls 24 bits is fine";
    EXPECT_FALSE(PlatformIsRefusedDepth(2));
    EXPECT_FALSE(PlatformIsRefusedDepth(0));
    EXPECT_FALSE(PlatformIsDesktop24Bit());
}

TEST(Shell, OpensThroughXdgOpenWithAnInjectedLauncher) {
    std::vector<std::string> got;
    PlatformSetShellLauncher([&](const std::vector<std::string>& argv) {
        got = argv;
        return true;
    });
    EXPECT_TRUE(PlatformOpenWithShell("https://example.com/", "open"));
    EXPECT_EQ(got, (std::vector<std::string>{"xdg-open", "https://example.com/"}));
    EXPECT_FALSE(PlatformOpenWithShell("", "open"));
    PlatformSetShellLauncher([](const std::vector<std::string>&) { return false; });
    EXPECT_FALSE(PlatformOpenWithShell("x", "open"));
    PlatformSetShellLauncher(nullptr);
}
