// Shift-JIS text cut into characters and placed on the cell grid.
#include <gtest/gtest.h>

#include <cstdint>

#include "engine/draw/TextLayout.h"

namespace {

// Literals are written as bytes so that the test reads the same whatever the
// compiler's execution character set.
const std::string kSo = "\x83\x5C";     // ソ (trail byte 0x5C)
const std::string kHyo = "\x95\x5C";    // 表 (trail byte 0x5C)
const std::string kA = "\x82\xA0";      // あ
const std::string kHalfKa = "\xB6";     // half-width ｶ

TEST(TextLayout, MixedHalfAndFullWidthCharactersTakeOneOrTwoCells) {
    const std::string text = "A" + kSo + kHalfKa + kHyo + "\\b";
    const STextLayout l = CTextLayout::Layout(text, 11, 22);
    ASSERT_EQ(l.chars.size(), 6u);
    const int32_t xs[] = {0, 11, 33, 44, 66, 77};
    const uint32_t codes[] = {'A', 0x835C, 0xB6, 0x955C, '\\', 'b'};
    const uint32_t offsets[] = {0, 1, 3, 4, 6, 7};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(l.chars[i].x, xs[i]) << i;
        EXPECT_EQ(l.chars[i].y, 0) << i;
        EXPECT_EQ(l.chars[i].code, codes[i]) << i;
        EXPECT_EQ(l.chars[i].offset, offsets[i]) << i;
    }
    EXPECT_EQ(l.chars[1].length, 2u);
    EXPECT_EQ(l.chars[1].width, 22);
    EXPECT_EQ(l.chars[4].length, 1u);  // a backslash of its own is a character
    EXPECT_EQ(l.width, 88);
    EXPECT_EQ(l.height, 22);
}

TEST(TextLayout, LineBreaksStartNewLinesAndTheWidestLineCounts) {
    const std::string text = kA + kA + "\r\n" + "abc" + kSo + "\n" + "x";
    const STextLayout l = CTextLayout::Layout(text, 8, 16, 2);
    ASSERT_EQ(l.chars.size(), 7u);
    EXPECT_EQ(l.chars[2].x, 0);
    EXPECT_EQ(l.chars[2].y, 18);
    EXPECT_EQ(l.chars[5].x, 24);
    EXPECT_EQ(l.chars[6].y, 36);
    EXPECT_EQ(l.width, 40);
    EXPECT_EQ(l.height, 3 * 16 + 2 * 2);
    // The 0x5C trail of ソ is not mistaken for anything else; an empty text is 0 × 0.
    const STextLayout empty = CTextLayout::Layout("", 8, 16);
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(empty.height, 0);
}

TEST(TextLayout, ALeadByteAtTheEndStandsAlone) {
    const std::string text = "a\x95";
    EXPECT_EQ(CTextLayout::CountChars(text), 2u);
    const STextLayout l = CTextLayout::Layout(text, 10, 20);
    ASSERT_EQ(l.chars.size(), 2u);
    EXPECT_EQ(l.chars[1].length, 1u);
    EXPECT_EQ(l.chars[1].width, 10);
}

TEST(TextLayout, PensPastTheIntRangeAreHeldAtItsEnd) {
    // A double-byte cell of a huge half-width, and lines of a huge height, must not
    // wrap round to negative places.
    const STextLayout wide = CTextLayout::Layout(kA + "a" + kA, INT32_MAX / 2 + 1, 16);
    ASSERT_EQ(wide.chars.size(), 3u);
    EXPECT_EQ(wide.chars[0].width, INT32_MAX);
    EXPECT_EQ(wide.chars[1].x, INT32_MAX);
    EXPECT_EQ(wide.chars[2].x, INT32_MAX);
    EXPECT_EQ(wide.width, INT32_MAX);
    const STextLayout tall = CTextLayout::Layout("a\nb\nc", 8, INT32_MAX / 2, 10);
    EXPECT_EQ(CTextLayout::Layout("a\nb", 8, INT32_MAX, INT32_MAX).chars[1].y, INT32_MAX);
    ASSERT_EQ(tall.chars.size(), 3u);
    EXPECT_EQ(tall.chars[1].y, INT32_MAX / 2 + 10);
    EXPECT_EQ(tall.chars[2].y, INT32_MAX);
    EXPECT_EQ(tall.height, INT32_MAX);
}

TEST(TextLayout, CutToBytesNeverSplitsADoubleByteCharacter) {
    std::string fourteen;
    for (int i = 0; i < 14; ++i) fourteen += kA;  // 28 bytes
    EXPECT_EQ(CTextLayout::CutToBytes(fourteen, 28), fourteen);
    EXPECT_EQ(CTextLayout::CutToBytes(fourteen + "a", 28), fourteen);
    const std::string odd = "a" + fourteen;  // 29 bytes: the 14th あ would end at byte 29
    EXPECT_EQ(CTextLayout::CutToBytes(odd, 28), odd.substr(0, 27));
    EXPECT_EQ(CTextLayout::CutToBytes("a" + kSo + kHyo, 4), "a" + kSo);
    EXPECT_EQ(CTextLayout::CutToBytes(kSo, 1), "");
    EXPECT_EQ(CTextLayout::CutToBytes("", 28), "");
}

TEST(TextLayout, DropLastCharRemovesAWholeCharacter) {
    EXPECT_EQ(CTextLayout::DropLastChar("a" + kSo), "a");
    EXPECT_EQ(CTextLayout::DropLastChar(kHyo + "\\"), kHyo);
    EXPECT_EQ(CTextLayout::DropLastChar("x"), "");
    EXPECT_EQ(CTextLayout::DropLastChar(""), "");
}

}  // namespace
