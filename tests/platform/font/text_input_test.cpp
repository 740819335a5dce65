// Keyboard text entry: SDL's text input (the input method's stand-in) becomes the
// window's composition and character messages, in Shift-JIS.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>
#include <vector>

#include "platform/window/PlatformWindow.h"

namespace {

std::vector<SWindowMessage> Drain(CPlatformWindow* w) {
    std::vector<SWindowMessage> out;
    SWindowMessage m;
    while (w->PeekMessage(&m)) {
        if (m.message == WindowMsg::kImeStartComposition || m.message == WindowMsg::kImeEndComposition ||
            m.message == WindowMsg::kChar || m.message == WindowMsg::kImeChar) {
            out.push_back(m);
        }
    }
    return out;
}

TEST(TextInput, CompositionAndCommittedTextBecomeMessages) {
    auto w = CPlatformWindow::Create("text", 800, 600, false);
    ASSERT_NE(w, nullptr);
    w->PumpEvents();
    Drain(w.get());

    SDL_Event edit{};
    edit.type = SDL_TEXTEDITING;
    edit.edit.windowID = w->GetSystemId();
    std::strcpy(edit.edit.text, "\xE3\x81\x82");  // あ being composed
    SDL_PushEvent(&edit);
    SDL_PushEvent(&edit);  // a changed composition does not start another
    SDL_Event input{};
    input.type = SDL_TEXTINPUT;
    input.text.windowID = w->GetSystemId();
    std::strcpy(input.text.text, "\xE3\x82\xBD" "a\xEF\xBD\xB1");  // ソ, a, half-width ｱ
    SDL_PushEvent(&input);
    w->PumpEvents();

    const std::vector<SWindowMessage> got = Drain(w.get());
    ASSERT_EQ(got.size(), 5u);
    EXPECT_EQ(got[0].message, WindowMsg::kImeStartComposition);
    EXPECT_EQ(got[1].message, WindowMsg::kImeEndComposition);  // committing ends the composition
    EXPECT_EQ(got[2].message, WindowMsg::kImeChar);
    EXPECT_EQ(got[2].wParam, 0x835Cu);
    EXPECT_EQ(got[3].message, WindowMsg::kChar);
    EXPECT_EQ(got[3].wParam, static_cast<uintptr_t>('a'));
    EXPECT_EQ(got[4].message, WindowMsg::kChar);
    EXPECT_EQ(got[4].wParam, 0xB1u);

    // An emptied composition ends it without text.
    SDL_PushEvent(&edit);
    SDL_Event cleared{};
    cleared.type = SDL_TEXTEDITING;
    cleared.edit.windowID = w->GetSystemId();
    SDL_PushEvent(&cleared);
    w->PumpEvents();
    const std::vector<SWindowMessage> again = Drain(w.get());
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[0].message, WindowMsg::kImeStartComposition);
    EXPECT_EQ(again[1].message, WindowMsg::kImeEndComposition);

    // Losing the focus mid-composition ends it; a second loss sends nothing more.
    SDL_PushEvent(&edit);
    SDL_Event lost{};
    lost.type = SDL_WINDOWEVENT;
    lost.window.windowID = w->GetSystemId();
    lost.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&lost);
    SDL_PushEvent(&lost);
    w->PumpEvents();
    const std::vector<SWindowMessage> lostFocus = Drain(w.get());
    ASSERT_EQ(lostFocus.size(), 2u);
    EXPECT_EQ(lostFocus[0].message, WindowMsg::kImeStartComposition);
    EXPECT_EQ(lostFocus[1].message, WindowMsg::kImeEndComposition);
}

}  // namespace
