#include <gtest/gtest.h>

#include "engine/base/Keyboard.h"
#include "engine/base/Mouse.h"

namespace {

void Send(IMessageListener& l, uint32_t msg, uintptr_t w = 0, intptr_t lp = 0) { l.OnMessage(nullptr, msg, w, lp); }

void KeyDownMsg(CKeyboard& k, uint32_t vk, bool repeat = false) {
    Send(k, WindowMsg::kKeyDown, vk, repeat ? (intptr_t(1) << 30) | 1 : 1);
}
void KeyUpMsg(CKeyboard& k, uint32_t vk) { Send(k, WindowMsg::kKeyUp, vk, (intptr_t(3) << 30) | 1); }

}  // namespace

TEST(Keyboard, PressHoldAndReleaseAreEdgesOfOnePollEach) {
    CKeyboard k;
    KeyDownMsg(k, VKey::kReturn);
    EXPECT_FALSE(k.IsPressed(VKey::kReturn)) << "nothing is seen before the poll";
    k.Update();
    EXPECT_TRUE(k.IsPressed(13));
    EXPECT_TRUE(k.IsDown(13));
    EXPECT_FALSE(k.IsReleased(13));
    KeyDownMsg(k, VKey::kReturn, true);  // auto-repeat is no new press
    k.Update();
    EXPECT_FALSE(k.IsPressed(13));
    EXPECT_TRUE(k.IsDown(13));
    KeyUpMsg(k, VKey::kReturn);
    k.Update();
    EXPECT_FALSE(k.IsDown(13));
    EXPECT_TRUE(k.IsReleased(13));
    k.Update();
    EXPECT_FALSE(k.IsReleased(13));
}

TEST(Keyboard, TapBetweenTwoPollsIsStillAPress) {
    CKeyboard k;
    KeyDownMsg(k, VKey::kSpace);
    KeyUpMsg(k, VKey::kSpace);
    k.Update();
    EXPECT_TRUE(k.IsPressed(32));
    EXPECT_TRUE(k.IsReleased(32));
    EXPECT_FALSE(k.IsDown(32));
}

TEST(Keyboard, OtherKeysAndBadCodesAreIndependent) {
    CKeyboard k;
    KeyDownMsg(k, VKey::kControl);
    KeyDownMsg(k, 0);
    KeyDownMsg(k, 300);  // out of range: ignored
    k.Update();
    EXPECT_TRUE(k.IsDown(17));
    EXPECT_FALSE(k.IsDown(VKey::kNext));
    EXPECT_FALSE(k.IsPressed(300));
    EXPECT_FALSE(k.IsDown(0xFFFFFFFFu));
}

TEST(Keyboard, SuppressionHidesNewPressesForNPollsAndZeroRestores) {
    CKeyboard k;
    k.SuppressInput(2);
    KeyDownMsg(k, VKey::kLeft);
    k.Update();  // 1st suppressed poll
    EXPECT_FALSE(k.IsPressed(37));
    EXPECT_TRUE(k.IsDown(37)) << "held state is still reported";
    KeyUpMsg(k, VKey::kLeft);
    KeyDownMsg(k, VKey::kLeft);
    k.Update();  // 2nd suppressed poll
    EXPECT_FALSE(k.IsPressed(37));
    KeyUpMsg(k, VKey::kLeft);
    KeyDownMsg(k, VKey::kLeft);
    k.Update();  // normal again
    EXPECT_TRUE(k.IsPressed(37));
    EXPECT_EQ(k.GetSuppressCount(), 0);

    k.SuppressInput(5);
    EXPECT_FALSE(k.IsPressed(37)) << "this frame's press is cleared at once";
    k.SuppressInput(0);
    KeyUpMsg(k, VKey::kLeft);
    KeyDownMsg(k, VKey::kLeft);
    k.Update();
    EXPECT_TRUE(k.IsPressed(37)) << "0 returns to normal reporting at once";
}

TEST(Keyboard, LosingTheFocusLetsGoOfHeldKeys) {
    CKeyboard k;
    KeyDownMsg(k, VKey::kDown);
    k.Update();
    Send(k, WindowMsg::kActivate, 0);
    k.Update();
    EXPECT_FALSE(k.IsDown(40));
    EXPECT_TRUE(k.IsReleased(40));
    KeyDownMsg(k, VKey::kDown);
    k.Update();
    EXPECT_TRUE(k.IsPressed(40)) << "the next press after the focus returns counts";
}

TEST(Keyboard, MouseButtonsReadAsVirtualKeys) {
    CKeyboard k;
    Send(k, WindowMsg::kRButtonDown, WindowMsg::kFlagRButton, WindowMsg::MakePoint(5, 5));
    k.Update();
    EXPECT_TRUE(k.IsPressed(VKey::kRButton));
    EXPECT_TRUE(k.IsDown(2));
    EXPECT_FALSE(k.IsDown(1));
    Send(k, WindowMsg::kRButtonUp, 0, WindowMsg::MakePoint(5, 5));
    k.Update();
    EXPECT_FALSE(k.IsDown(2));
}

TEST(Mouse, PositionButtonsAndClicks) {
    CMouse m;
    m.Update();
    EXPECT_EQ(m.GetPosition(), (SPoint{0, 0})) << "(0, 0) before the pointer was seen";
    Send(m, WindowMsg::kMouseMove, 0, WindowMsg::MakePoint(120, 450));
    m.Update();
    EXPECT_EQ(m.GetPosition(), (SPoint{120, 450}));
    EXPECT_TRUE(m.IsInside());

    Send(m, WindowMsg::kLButtonDown, WindowMsg::kFlagLButton, WindowMsg::MakePoint(121, 451));
    m.Update();
    EXPECT_TRUE(m.IsLeftPressed());
    EXPECT_TRUE(m.IsLeftDown());
    EXPECT_FALSE(m.IsLeftClicked());
    EXPECT_EQ(m.GetPosition(), (SPoint{121, 451}));
    m.Update();
    EXPECT_FALSE(m.IsLeftPressed());
    EXPECT_TRUE(m.IsLeftDown());
    Send(m, WindowMsg::kLButtonUp, 0, WindowMsg::MakePoint(121, 451));
    m.Update();
    EXPECT_TRUE(m.IsLeftReleased());
    EXPECT_TRUE(m.IsLeftClicked());
    EXPECT_FALSE(m.IsLeftDown());
    EXPECT_FALSE(m.IsRightDown());
    m.Update();
    EXPECT_FALSE(m.IsLeftClicked());
    EXPECT_FALSE(m.IsLeftReleased());
}

TEST(Mouse, NegativeCoordinatesSurviveThePacking) {
    CMouse m;
    Send(m, WindowMsg::kMouseMove, 0, WindowMsg::MakePoint(-3, 599));
    m.Update();
    EXPECT_EQ(m.GetPosition(), (SPoint{-3, 599}));
}

TEST(Mouse, WheelCountsNotchesOfTheFrameBothWays) {
    CMouse m;
    Send(m, WindowMsg::kMouseWheel, static_cast<uintptr_t>(static_cast<uint16_t>(240)) << 16, 0);
    m.Update();
    EXPECT_EQ(m.GetWheel(), 2);
    m.Update();
    EXPECT_EQ(m.GetWheel(), 0);
    Send(m, WindowMsg::kMouseWheel, static_cast<uintptr_t>(static_cast<uint16_t>(-120)) << 16, 0);
    m.Update();
    EXPECT_EQ(m.GetWheel(), -1);
}

TEST(Mouse, RightButtonByVirtualKey) {
    CMouse m;
    Send(m, WindowMsg::kRButtonDown, WindowMsg::kFlagRButton, 0);
    m.Update();
    EXPECT_TRUE(m.IsKeyPressed(2));
    EXPECT_TRUE(m.IsKeyDown(VKey::kRButton));
    EXPECT_FALSE(m.IsKeyDown(VKey::kLButton));
    EXPECT_FALSE(m.IsKeyDown(17));
}

TEST(Mouse, SuppressionClearsPressAndClickAtOnceAndHidesThemForNPolls) {
    CMouse m;
    m.ButtonDown(CMouse::kLeft);
    m.Update();
    ASSERT_TRUE(m.IsLeftPressed());
    m.SuppressInput(2);
    EXPECT_FALSE(m.IsLeftPressed()) << "cleared at once";
    m.ButtonUp(CMouse::kLeft);
    m.Update();  // suppressed 1
    EXPECT_FALSE(m.IsLeftClicked()) << "a press swallowed by suppression is no click";
    EXPECT_TRUE(m.IsLeftReleased());
    m.ButtonDown(CMouse::kLeft);
    m.ButtonUp(CMouse::kLeft);
    m.Update();  // suppressed 2
    EXPECT_FALSE(m.IsLeftPressed());
    EXPECT_FALSE(m.IsLeftClicked());
    m.ButtonDown(CMouse::kLeft);
    m.Update();
    EXPECT_TRUE(m.IsLeftPressed());
    m.ButtonUp(CMouse::kLeft);
    m.Update();
    EXPECT_TRUE(m.IsLeftClicked());

    m.ButtonDown(CMouse::kRight);
    m.SuppressInput(3);
    m.SuppressInput(0);
    m.ButtonUp(CMouse::kRight);
    m.ButtonDown(CMouse::kRight);
    m.Update();
    EXPECT_TRUE(m.IsRightPressed()) << "0 restores normal reporting";
}

TEST(Mouse, FocusLossReleasesWithoutClick) {
    CMouse m;
    m.ButtonDown(CMouse::kLeft);
    m.Update();
    Send(m, WindowMsg::kKillFocus);
    m.Update();
    EXPECT_FALSE(m.IsLeftDown());
    EXPECT_TRUE(m.IsLeftReleased());
    EXPECT_FALSE(m.IsLeftClicked());
}
