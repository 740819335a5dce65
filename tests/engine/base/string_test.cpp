#include <gtest/gtest.h>

#include <climits>

#include "engine/base/StringUtil.h"

// "ソ" is 0x83 0x5C and "ア" 0x83 0x41 in Shift-JIS: their trail bytes look like
// '\' and 'A' but belong to the character.
static const std::string kSo = "\x83\x5C";
static const std::string kA = "\x83\x41";

TEST(StringUtil, SjisLeadBytes) {
    EXPECT_FALSE(IsSjisLeadByte(static_cast<uint8_t>(0x80)));
    EXPECT_TRUE(IsSjisLeadByte(static_cast<uint8_t>(0x81)));
    EXPECT_TRUE(IsSjisLeadByte(static_cast<uint8_t>(0x9F)));
    EXPECT_FALSE(IsSjisLeadByte(static_cast<uint8_t>(0xA0)));
    EXPECT_FALSE(IsSjisLeadByte(static_cast<uint8_t>(0xDF)));
    EXPECT_TRUE(IsSjisLeadByte(static_cast<uint8_t>(0xE0)));
    EXPECT_TRUE(IsSjisLeadByte(static_cast<uint8_t>(0xFC)));
    EXPECT_FALSE(IsSjisLeadByte(static_cast<uint8_t>(0xFD)));
    EXPECT_EQ(std::string("ソ"), kSo);  // the sources compile to Shift-JIS
}

TEST(StringUtil, StrToInt) {
    EXPECT_EQ(StrToInt(""), 0);
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("  42abc"), 42);
    EXPECT_EQ(StrToInt("-7"), -7);
    EXPECT_EQ(StrToInt("abc"), 0);
    EXPECT_EQ(StrToInt("99999999999"), INT_MAX);
    EXPECT_EQ(StrToInt("-99999999999"), INT_MIN);
}

TEST(StringUtil, CaseConvertLeavesDoubleByteCharactersAlone) {
    EXPECT_EQ(StrCaseConvert("BG\\Test.BMP"), "bg\\test.bmp");
    EXPECT_EQ(StrCaseConvert(kA + "B"), kA + "b");
}

TEST(StringUtil, BackslashesAndNormalising) {
    EXPECT_EQ(PathToBackslash("a/b/c"), "a\\b\\c");
    EXPECT_EQ(NormalizePath("a\\\\b\\\\\\c"), "a\\b\\c");
    // A trail byte 0x5C followed by a real backslash is no doubled backslash.
    EXPECT_EQ(NormalizePath(kSo + "\\b"), kSo + "\\b");
    EXPECT_FALSE(EndsWithBackslash("scr\\" + kSo));
    EXPECT_TRUE(EndsWithBackslash("scr\\" + kSo + "\\"));
    EXPECT_EQ(FindLastBackslash("a\\" + kSo + "x"), 1u);
}

TEST(StringUtil, MakeFilePath) {
    EXPECT_EQ(MakeFilePath("scr", "sc_000", "txt"), "scr\\sc_000.txt");
    EXPECT_EQ(MakeFilePath("scr\\", "sc_000", "txt"), "scr\\sc_000.txt");
    EXPECT_EQ(MakeFilePath("scr\\" + kSo, "a", "txt"), "scr\\" + kSo + "\\a.txt");
    EXPECT_EQ(MakeFilePath("", "a", "txt"), "a.txt");
}

TEST(StringUtil, MakeResourcePath) {
    EXPECT_EQ(MakeResourcePath("", "bg", "bmp"), "");
    EXPECT_EQ(MakeResourcePath("Test", "BG", "BMP"), "bg\\test.bmp");
    EXPECT_EQ(MakeResourcePath("bg/x.png", "bg", "bmp"), "bg\\x.png");
    EXPECT_EQ(MakeResourcePath("a", "bg\\", "bmp"), "bg\\a.bmp");
    EXPECT_EQ(MakeResourcePath("x", "a.b", "bmp"), "a.b\\x.bmp");
    EXPECT_EQ(MakeResourcePath("sub\\\\x", "bg", ""), "bg\\sub\\x");
    EXPECT_EQ(MakeResourcePath(kSo, "bg", "bmp"), "bg\\" + kSo + ".bmp");
}

TEST(StringUtil, FormatStringIsBounded) {
    EXPECT_EQ(FormatString("%d-%s", 5, "x"), "5-x");
    std::string big(5000, 'a');
    EXPECT_EQ(FormatString("%s", big.c_str()).size(), 4095u);
}

TEST(StringUtil, TrailByte5CIsNeverAPathSeparator) {
    // A folder ending in "ソ" still needs its separator; a name whose last
    // character is "ソ" has no '.' after any separator.
    EXPECT_EQ(MakeResourcePath("x", "bg\\" + kSo, "bmp"), "bg\\" + kSo + "\\x.bmp");
    EXPECT_EQ(MakeResourcePath("BG/" + kSo + "/" + kSo, "bg", "BMP"), "bg\\" + kSo + "\\" + kSo + ".bmp");
    // "ソ" then a doubled separator: the trail byte is no part of the pair.
    EXPECT_EQ(NormalizePath(kSo + "\\\\" + kSo + "\\"), kSo + "\\" + kSo + "\\");
    EXPECT_EQ(PathToBackslash(kSo + "/" + kA + "/"), kSo + "\\" + kA + "\\");
    // Upper-case trail bytes ('A' is 0x41) stay as they are, also in paths.
    EXPECT_EQ(MakeResourcePath(kA, "OBJ", "BMP"), "obj\\" + kA + ".bmp");
}
