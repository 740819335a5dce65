// The text object's reveal, counted in frames, and its display effects.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/adv/MotionFactory.h"
#include "engine/draw/TextObject.h"

namespace {

const std::string kA = "\x82\xA0";  // あ
const std::string kSo = "\x83\x5C"; // ソ

// An effect that plays for exactly its duration and counts its draws.
class CCountingEffect : public CMotionEffect {
public:
    explicit CCountingEffect(int* draws) : m_Draws(draws) {}

protected:
    void OnStart() override { m_Step = 0; }
    bool StepPlaying() override { return ++m_Step >= m_Duration; }
    bool StepFinishing() override { return --m_Step <= 0; }
    void DrawPlaying(const CMatrix4&) override { ++*m_Draws; }
    void DrawStopped(const CMatrix4&) override { ++*m_Draws; }
    void DrawFinishing(const CMatrix4&) override { ++*m_Draws; }

private:
    int* m_Draws;
    int32_t m_Step = 0;
};

class CCountingFactory : public IMotionFactory {
public:
    std::unique_ptr<CMotionEffect> Create(int32_t id) override {
        ids.push_back(id);
        auto effect = std::make_unique<CCountingEffect>(&draws);
        made.push_back(effect.get());
        return effect;
    }
    void Release(std::unique_ptr<CMotionEffect> effect) override {
        if (effect) ++released;
    }
    std::vector<int32_t> ids;
    std::vector<CMotionEffect*> made;  // owned by the text object
    int draws = 0;
    int released = 0;
};

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

class TextObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        text.SetMotionFactory(&factory);
        text.GetFont().SetSize(22, 0);
    }
    // Frames until the object stops revealing (at most `limit`).
    int FramesUntilRevealed(int limit = 1000) {
        int frames = 0;
        while (text.IsRevealing() && frames < limit) {
            text.Update();
            ++frames;
        }
        return frames;
    }
    CCountingFactory factory;
    CTextObject text;
};

TEST_F(TextObjectTest, OneCharacterEveryIntervalFrames) {
    text.SetText(Repeat(kA, 5));
    text.SetCharsPerStep(1);
    text.SetRevealTiming(true, 3);
    text.Start();
    EXPECT_TRUE(text.IsActive());
    EXPECT_TRUE(text.IsRevealing());
    std::vector<size_t> counts;
    for (int frame = 1; frame <= 13; ++frame) {
        text.Update();
        counts.push_back(text.GetRevealedCount());
    }
    // Start shows the first; then one more on frames 3, 6, 9 and 12.
    const std::vector<size_t> expected = {1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5};
    EXPECT_EQ(counts, expected);
    EXPECT_FALSE(text.IsRevealing());
    EXPECT_TRUE(text.IsHolding());
    EXPECT_TRUE(text.IsActive());
}

TEST_F(TextObjectTest, CharactersPerStepWithoutTimingRevealEveryFrame) {
    text.SetText("abc" + kSo + "de\\f");  // 8 characters, a backslash among them
    text.SetCharsPerStep(3);
    text.SetRevealTiming(false, 50);
    text.Start();
    EXPECT_EQ(text.GetRevealedCount(), 3u);
    text.Update();
    EXPECT_EQ(text.GetRevealedCount(), 6u);
    EXPECT_TRUE(text.IsRevealing());
    text.Update();
    EXPECT_EQ(text.GetRevealedCount(), 8u);
    EXPECT_FALSE(text.IsRevealing());
}

TEST_F(TextObjectTest, ZeroCharactersAndZeroIntervalShowTheWholeTextAtOnce) {
    text.SetText(Repeat(kA, 20));
    text.SetCharsPerStep(0);
    text.SetRevealTiming(false, 0);
    text.Start();
    EXPECT_EQ(text.GetRevealedCount(), 20u);
    EXPECT_FALSE(text.IsRevealing());
    EXPECT_TRUE(text.IsHolding());
}

TEST_F(TextObjectTest, DisplayParametersAreEffectLengthAndCharacterGap) {
    text.SetDisplayEffect(7);
    text.SetDisplayParams(10, 2);  // each effect 10 frames, a character every 2 frames
    text.SetText(Repeat(kA, 4));
    text.Start();
    ASSERT_EQ(factory.ids.size(), 4u);
    for (int32_t id : factory.ids) EXPECT_EQ(id, 7);
    // The last character comes at frame (4 − 1) × 2 = 6 and its effect ends 10 frames later.
    EXPECT_EQ(FramesUntilRevealed(), 16);
    EXPECT_TRUE(text.IsHolding());
}

TEST_F(TextObjectTest, TheSampleScenesSettingsRunTheirCourse) {
    // (25, 3), (10, 1) and (30, 5): as above, (c − 1) × gap + length frames.
    const int params[][2] = {{25, 3}, {10, 1}, {30, 5}};
    for (const auto& p : params) {
        text.SetDisplayParams(p[0], p[1]);
        text.SetText(Repeat(kA, 15));
        text.Start();
        EXPECT_EQ(FramesUntilRevealed(), 14 * p[1] + p[0]) << p[0] << "," << p[1];
    }
}

TEST_F(TextObjectTest, CompleteShowsEverythingAndRestartBeginsAgain) {
    text.SetDisplayParams(10, 4);
    text.SetText(Repeat(kA, 6));
    text.Start();
    text.Update();
    text.Complete();
    EXPECT_EQ(text.GetRevealedCount(), 6u);
    EXPECT_FALSE(text.IsRevealing());
    EXPECT_TRUE(text.IsHolding());
    factory.draws = 0;
    text.Draw();
    EXPECT_EQ(factory.draws, 6);  // every character, drawn stopped

    text.Restart();
    EXPECT_FALSE(text.IsActive());
    EXPECT_EQ(text.GetRevealedCount(), 0u);
    factory.draws = 0;
    text.Draw();
    EXPECT_EQ(factory.draws, 0);
    text.Start();
    EXPECT_EQ(text.GetRevealedCount(), 1u);
    EXPECT_EQ(FramesUntilRevealed(), 5 * 4 + 10);
    // Complete from idle starts and finishes at once.
    text.Stop();
    text.Complete();
    EXPECT_TRUE(text.IsHolding());
    EXPECT_EQ(text.GetRevealedCount(), 6u);
}

TEST_F(TextObjectTest, CloseRunsTheEffectsBackwardsThenGoesIdle) {
    text.SetDisplayParams(5, 1);
    text.SetText(Repeat(kA, 3));
    text.Start();
    text.Update();  // two characters out
    text.Close();
    EXPECT_TRUE(text.IsClosing());
    EXPECT_TRUE(text.IsBusy());
    int frames = 0;
    while (text.IsActive() && frames < 100) {
        text.Update();
        ++frames;
    }
    EXPECT_FALSE(text.IsActive());
    EXPECT_LE(frames, 5);
    // The text stays for another start.
    EXPECT_EQ(text.GetText(), Repeat(kA, 3));
    text.Start();
    EXPECT_TRUE(text.IsRevealing());
}

TEST_F(TextObjectTest, StopAndClear) {
    text.SetText("abc");
    text.SetCharsPerStep(0);
    text.Start();
    text.Stop();
    EXPECT_FALSE(text.IsActive());
    EXPECT_EQ(text.GetText(), "abc");
    text.Start();
    text.Clear();
    EXPECT_FALSE(text.IsActive());
    EXPECT_EQ(text.GetText(), "");
    EXPECT_EQ(factory.released, 3);
    // An empty text starts and holds nothing.
    text.Start();
    EXPECT_TRUE(text.IsHolding());
    text.Update();
    text.Draw();
}

TEST_F(TextObjectTest, HiddenTextDrawsNothingAndSizeFollowsTheFont) {
    text.SetText("ab" + kSo);
    text.SetCharsPerStep(0);
    text.Start();
    text.Hide();
    factory.draws = 0;
    text.Draw();
    EXPECT_EQ(factory.draws, 0);
    text.Show();
    text.Draw();
    EXPECT_EQ(factory.draws, 3);
    int32_t w = 0, h = 0;
    text.GetSize(&w, &h);
    EXPECT_EQ(w, 44);
    EXPECT_EQ(h, 22);
    text.GetFont().SetSize(16, 6);
    text.GetSize(&w, &h);
    EXPECT_EQ(w, 24);
    EXPECT_EQ(h, 16);
}

TEST_F(TextObjectTest, CharactersArePlacedFromThePositionWithoutWrapping) {
    text.SetText("a" + kA + "\n" + "b");
    text.SetPosition(36, 464);
    text.Start();
    ASSERT_EQ(factory.made.size(), 3u);
    EXPECT_EQ(factory.made[0]->GetParams().x, 36);
    EXPECT_EQ(factory.made[1]->GetParams().x, 36 + 11);
    EXPECT_EQ(factory.made[2]->GetParams().x, 36);
    EXPECT_EQ(factory.made[2]->GetParams().y, 464 + 22);
    // A far position holds the characters at the end of the int range.
    text.SetPosition(INT32_MAX - 5, INT32_MIN);
    EXPECT_EQ(factory.made[0]->GetParams().x, INT32_MAX - 5);
    EXPECT_EQ(factory.made[1]->GetParams().x, INT32_MAX);
    EXPECT_EQ(factory.made[2]->GetParams().y, INT32_MIN + 22);
    text.SetPosition(0, INT32_MAX);
    EXPECT_EQ(factory.made[2]->GetParams().y, INT32_MAX);
    text.Draw();
}

// Every effect length above 0 plays, a single frame included: a character's effect
// starts as it comes out and the reveal lasts (c − 1) × gap + length frames; a length of
// 0 shows each character at once.
TEST_F(TextObjectTest, EveryEffectLengthAboveZeroPlaysItsFrames) {
    struct SCase {
        int32_t length, gap;
    };
    for (const SCase c : {SCase{0, 2}, {1, 2}, {1, 1}, {2, 1}}) {
        SCOPED_TRACE(::testing::Message() << "length " << c.length << " gap " << c.gap);
        text.SetDisplayParams(c.length, c.gap);
        text.SetText(Repeat(kA, 4));
        text.Start();
        ASSERT_EQ(factory.made.size(), 4u);
        EXPECT_EQ(factory.made[0]->GetState(),
                  c.length > 0 ? CMotionEffect::STATE_PLAYING : CMotionEffect::STATE_STOPPED);
        EXPECT_EQ(FramesUntilRevealed(), 3 * c.gap + c.length);
        EXPECT_TRUE(text.IsHolding());
        text.Clear();
        factory.made.clear();
    }
}

TEST(TextObjectPlain, WorksWithThePlainEffectOfItsOwnFactory) {
    // Effect numbers past the numbered ones give the plain effect.
    CTextObject text;
    text.SetDisplayEffect(99);
    text.SetDisplayParams(25, 3);
    text.SetText("\x95\x5C\x8E\xA6");  // 表示
    text.SetPosition(20, 500);
    text.Start();
    int frames = 0;
    while (text.IsRevealing() && frames < 100) {
        text.Update();
        text.Draw();
        ++frames;
    }
    EXPECT_TRUE(text.IsHolding());
    EXPECT_LE(frames, 3 + 25);
}

TEST(TextObjectEffects, EveryDisplayEffectRevealsAndClosesInItsFrames) {
    // The motion effects of ids 1 to 37 and the plain one past them, with (10, 1).
    for (int32_t id = 0; id <= 40; ++id) {
        CTextObject text;
        text.GetFont().SetSize(22, 0);
        text.SetDisplayEffect(id);
        text.SetDisplayParams(10, 1);
        text.SetText("ab" + kA + kSo);
        text.Start();
        int frames = 0;
        while (text.IsRevealing() && frames < 100) {
            text.Update();
            text.Draw();
            ++frames;
        }
        EXPECT_TRUE(text.IsHolding()) << id;
        EXPECT_LE(frames, 3 * 1 + 10) << id;
        text.Close();
        frames = 0;
        while (text.IsActive() && frames < 100) {
            text.Update();
            text.Draw();
            ++frames;
        }
        EXPECT_FALSE(text.IsActive()) << id;
        EXPECT_LE(frames, 11) << id;
    }
}

}  // namespace
