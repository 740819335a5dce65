// The text window: keyboard entry through the input method's messages, the 28-byte
// limit and the busy state.
#include <gtest/gtest.h>

#include "engine/draw/TextWindow.h"

namespace {

const std::string kA = "\x82\xA0";   // あ
const std::string kSo = "\x83\x5C";  // ソ

class TextWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.SetMaxLength(28);
        window.SetColour(0xFFFFFFFF);
        window.SetPosition(20, 303);
    }
    void Send(uint32_t message, uintptr_t wParam = 0) { window.OnMessage(nullptr, message, wParam, 0); }
    void TypeDouble(const std::string& c) {
        Send(WindowMsg::kImeChar, (uintptr_t{static_cast<uint8_t>(c[0])} << 8) | static_cast<uint8_t>(c[1]));
    }
    CTextWindow window;
};

TEST_F(TextWindowTest, TypedTextIsCutBeforeTheFirstCharacterThatDoesNotFitWhole) {
    window.HandleInput();
    Send(WindowMsg::kChar, 'a');  // 1 byte
    for (int i = 0; i < 13; ++i) TypeDouble(kA);  // 27 bytes
    EXPECT_EQ(window.GetText().size(), 27u);
    TypeDouble(kSo);  // would end at byte 29: left out whole
    EXPECT_EQ(window.GetText().size(), 27u);
    Send(WindowMsg::kChar, 'z');  // a single byte still fits
    EXPECT_EQ(window.GetText().size(), 28u);
    EXPECT_EQ(window.GetText().back(), 'z');
    Send(WindowMsg::kChar, 'y');
    EXPECT_EQ(window.GetText().size(), 28u);
}

TEST_F(TextWindowTest, SetTextIsCutTooAndShownAtOnce) {
    std::string s;
    for (int i = 0; i < 15; ++i) s += kSo;  // 30 bytes
    window.SetText(s);
    EXPECT_EQ(window.GetText().size(), 28u);
    EXPECT_EQ(window.GetText(), s.substr(0, 28));
    EXPECT_TRUE(window.GetTextObject().IsHolding());
    window.SetText("x" + s);
    EXPECT_EQ(window.GetText().size(), 27u);
}

TEST_F(TextWindowTest, BackspaceRemovesAWholeCharacterEvenWithABackslashTrail) {
    window.SetText("a" + kSo);
    window.HandleInput();
    Send(WindowMsg::kKeyDown, VKey::kBack);
    EXPECT_EQ(window.GetText(), "a");
    Send(WindowMsg::kKeyDown, VKey::kBack);
    Send(WindowMsg::kKeyDown, VKey::kBack);
    EXPECT_EQ(window.GetText(), "");
}

TEST_F(TextWindowTest, ADoubleByteCharacterMayArriveAsTwoCharMessages) {
    window.HandleInput();
    Send(WindowMsg::kChar, 0x95);
    EXPECT_EQ(window.GetText(), "");
    Send(WindowMsg::kChar, 0x5C);
    EXPECT_EQ(window.GetText(), "\x95\x5C");
    Send(WindowMsg::kChar, 0x08);  // control characters are not text
    Send(WindowMsg::kChar, '\r');
    EXPECT_EQ(window.GetText(), "\x95\x5C");
}

TEST_F(TextWindowTest, NoStrayLeadOrControlByteEntersTheText) {
    // A lead byte kept without its trail would pair with the next character typed and
    // turn "a" into half of a double-byte character.
    window.HandleInput();
    Send(WindowMsg::kImeChar, 0x0081);  // a lead byte alone
    Send(WindowMsg::kChar, 'a');
    EXPECT_EQ(window.GetText(), "a");
    Send(WindowMsg::kChar, 0x81);  // a lead typed as a character of its own ...
    Send(WindowMsg::kImeChar, 'a');  // ... does not pair with what the input method hands over
    EXPECT_EQ(window.GetText(), "aa");
    Send(WindowMsg::kKeyDown, VKey::kBack);
    Send(WindowMsg::kImeChar, 0x0000);  // no character at all
    Send(WindowMsg::kImeChar, 0x820A);  // a lead with a control byte for its trail
    Send(WindowMsg::kImeChar, 0x415C);  // no lead byte in front
    EXPECT_EQ(window.GetText(), "a");
    Send(WindowMsg::kChar, 0x83);  // a lead typed alone, then a line feed: both dropped
    Send(WindowMsg::kChar, '\n');
    Send(WindowMsg::kImeChar, 'b');  // a single-byte character through the input method
    TypeDouble(kSo);
    EXPECT_EQ(window.GetText(), "ab" + kSo);
    // Backspace takes back a half-typed character before anything already entered.
    Send(WindowMsg::kChar, 0x95);
    Send(WindowMsg::kKeyDown, VKey::kBack);
    Send(WindowMsg::kChar, 'c');
    EXPECT_EQ(window.GetText(), "ab" + kSo + "c");
}

TEST_F(TextWindowTest, IsOpenWhileTheInputMethodComposes) {
    EXPECT_FALSE(window.IsOpen());
    Send(WindowMsg::kImeStartComposition);
    EXPECT_FALSE(window.IsOpen());  // not in entry: messages are ignored
    window.HandleInput();
    EXPECT_TRUE(window.IsEditing());
    EXPECT_FALSE(window.IsOpen());
    Send(WindowMsg::kImeStartComposition);
    EXPECT_TRUE(window.IsOpen());
    Send(WindowMsg::kKeyDown, VKey::kBack);  // the input method's own backspace
    TypeDouble(kA);
    Send(WindowMsg::kImeEndComposition);
    EXPECT_FALSE(window.IsOpen());
    EXPECT_EQ(window.GetText(), kA);
}

TEST_F(TextWindowTest, ResetEndsEntryAndKeepsTheText) {
    window.HandleInput();
    Send(WindowMsg::kChar, 'q');
    Send(WindowMsg::kImeStartComposition);
    window.Update();
    window.Reset();
    EXPECT_FALSE(window.IsEditing());
    EXPECT_FALSE(window.IsOpen());
    Send(WindowMsg::kChar, 'r');
    EXPECT_EQ(window.GetText(), "q");
    EXPECT_EQ(window.GetTextObject().GetText(), "q");
    window.Draw();
    window.OnDeviceRestored();
}

}  // namespace
