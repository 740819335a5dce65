// The speaker name's bracket removal and the balloon line's bracket wrapping, on
// Shift-JIS bytes.
#include <gtest/gtest.h>

#include "game/stage/message/LineText.h"

TEST(LineTextTest, NamesLoseOnlyWholeLenticularBrackets) {
    struct SCase {
        std::string in;
        std::string out;
    };
    const SCase cases[] = {
        {"【ソラン】", "ソラン"},
        {"ピコ【ネ】さん", "ピコネさん"},
        {"ab【", "ab"},
        // ペ is 83 79 and ポ 83 7A: their second bytes equal the brackets' but they stay.
        {"ペポ", "ペポ"},
        {"\x83\x79\x81\x7A", "\x83\x79"},
        // A lone lead byte at the end is kept as a single byte.
        {"A\x81", "A\x81"},
        {"", ""},
    };
    for (const SCase& c : cases) EXPECT_EQ(StripNameBrackets(c.in), c.out) << c.in;
}

TEST(LineTextTest, BalloonTextsAreWrappedUnlessTheyOpenWithABracket) {
    struct SCase {
        std::string in;
        std::string out;
    };
    const SCase cases[] = {
        {"「はい」", "「はい」"},
        {"【声】", "【声】"},
        {"（心）", "（心）"},
        {"『題』", "『題』"},
        {"はい", "「はい」"},
        {"一行目\n二行目", "「一行目\n　二行目」"},
        {"a\nb\n", "「a\n　b\n　」"},
        {"", "「」"},
    };
    for (const SCase& c : cases) EXPECT_EQ(WrapBalloonText(c.in), c.out) << c.in;
}
