// The event picture panel: its slide in and out, and the seen, read or plain mark.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "game/core/GameState.h"
#include "game/core/ReadHistory.h"
#include "game/core/RunningGame.h"
#include "game/stage/message/EventPanel.h"
#include "tests/game/stage/message/MessageTestUtil.h"

namespace {

constexpr uint32_t kPicture = 0xFF306090u;
constexpr uint32_t kNotSeen = 0xFF800000u;
constexpr uint32_t kSeen = 0xFF008000u;
constexpr uint32_t kRead = 0xFF000080u;

// `src` at alpha `a` over `dst`, channel by channel (RGB).
uint32_t Over(uint32_t src, int a, uint32_t dst) {
    uint32_t out = 0;
    for (int shift : {0, 8, 16}) {
        const int s = static_cast<int>((src >> shift) & 0xFF), d = static_cast<int>((dst >> shift) & 0xFF);
        out |= static_cast<uint32_t>((s * a + d * (255 - a)) / 255) << shift;
    }
    return out;
}

bool Near(uint32_t got, uint32_t want) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF)) > 2) return false;
    }
    return true;
}

class EventPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.WriteSolid("bg\\ev.bmp", kPicture, 536, 300);
        folder.WriteSolid("obj\\u000_005.bmp", 0xFFFFFFFFu, 80, 100);
        folder.Write("obj\\u000_004.bmp", {kNotSeen, kSeen}, 16, 16);
        folder.WriteSolid("obj\\u003_000.bmp", kRead, 16, 16);
        panel.SetEventNameSource([](int32_t id) { return "scr\\ev" + std::to_string(id) + ".scr"; });
        panel.SetReadHistory(&history);
    }
    uint32_t MarkAfterDraw() {
        probe.Clear();
        panel.Draw();
        probe.Read();
        return probe.At(592 + 4, 8 + 4) | 0xFF000000u;
    }

    msgtest::CPictureFolder folder;
    msgtest::CProbe probe;
    CReadHistory history;
    CGameState state;
    CRunningGameOverride running{state};
    CEventPanel panel{nullptr};
};

}  // namespace

TEST_F(EventPanelTest, AMissingPictureLeavesNothingToDraw) {
    EXPECT_FALSE(panel.SetEvent("bg\\none.bmp", 440));
    EXPECT_FALSE(panel.IsLoaded());
    EXPECT_EQ(panel.GetEventName(), "scr\\ev440.scr");
    panel.ShowNow();
    EXPECT_EQ(MarkAfterDraw(), 0xFF000000u);
}

TEST_F(EventPanelTest, ItSlidesInFromItsWidthAndFifteenLowOverFifteenSteps) {
    ASSERT_TRUE(panel.SetEvent("bg\\ev.bmp", 1));
    panel.Close();
    EXPECT_EQ(panel.GetState(), CEventPanel::STATE_HIDDEN);
    panel.Open();
    EXPECT_EQ(panel.GetSlide(), (SPoint{536, 15}));
    EXPECT_EQ(panel.GetFade(), 0);
    panel.Step();
    EXPECT_EQ(panel.GetSlide(), (SPoint{501, 14}));
    panel.Open();  // no restart while opening
    EXPECT_EQ(panel.GetSlide(), (SPoint{501, 14}));
    for (int i = 0; i < 13; ++i) panel.Step();
    EXPECT_EQ(panel.GetState(), CEventPanel::STATE_OPENING);
    panel.Step();
    EXPECT_EQ(panel.GetState(), CEventPanel::STATE_SHOWN);
    probe.Clear();
    panel.Draw();
    probe.Read();
    EXPECT_EQ(probe.At(300, 100), kPicture & 0xFFFFFFu);
    EXPECT_EQ(probe.At(263, 100), 0u);

    panel.Close();
    panel.Close();
    panel.Step();
    EXPECT_EQ(panel.GetSlide(), (SPoint{35, 1}));
    for (int i = 0; i < 14; ++i) panel.Step();
    EXPECT_EQ(panel.GetState(), CEventPanel::STATE_HIDDEN);
    EXPECT_FALSE(panel.IsOpen());
}

TEST_F(EventPanelTest, TheMarkTellsSeenThenReadThenNeither) {
    struct SCase {
        std::vector<int32_t> played;
        int32_t event;
        bool read;
        uint32_t mark;
    };
    const SCase cases[] = {
        {{}, 440, false, kNotSeen},      {{440}, 50441, false, kSeen}, {{50441}, 440, false, kSeen},
        {{10511}, 511, false, kSeen},    {{447}, 445, false, kSeen},   {{446}, 440, false, kNotSeen},
        {{}, 440, true, kRead},          {{440}, 440, true, kSeen},    {{12}, 13, false, kNotSeen},
    };
    for (const SCase& c : cases) {
        state.Reset();
        history.Clear();
        for (int32_t id : c.played) state.GetStatus().MarkEventSeen(id);
        if (c.read) history.Add("scr\\ev" + std::to_string(c.event) + ".scr", 3);
        ASSERT_TRUE(panel.SetEvent("bg\\ev.bmp", c.event));
        panel.ShowNow();
        EXPECT_EQ(MarkAfterDraw(), c.mark) << c.event;
    }
}

TEST_F(EventPanelTest, OnlyTheShownPanelPassesTheCursorToItsButton) {
    ASSERT_TRUE(panel.SetEvent("bg\\ev.bmp", 1));
    panel.Open();
    panel.SetCursor(280, 12, true);
    EXPECT_FALSE(panel.IsButtonClicked());
    panel.ShowNow();
    panel.SetCursor(280, 12, true);
    EXPECT_TRUE(panel.IsButtonClicked());
}

// Both ways the fade covers the whole range in even fifteenths: the panel leaves from
// fully opaque and arrives fully opaque.
TEST_F(EventPanelTest, TheFadeRunsFromEndToEndBothWays) {
    ASSERT_TRUE(panel.SetEvent("bg\\ev.bmp", 1));
    struct SWay {
        const char* name;
        bool open;
        int32_t from, to;
        int32_t endState;
    };
    for (const SWay w : {SWay{"open", true, 0, 255, CEventPanel::STATE_SHOWN},
                         {"close", false, 255, 0, CEventPanel::STATE_HIDDEN}}) {
        SCOPED_TRACE(w.name);
        if (w.open) {
            panel.HideNow();
            panel.Open();
        } else {
            panel.ShowNow();
            panel.Close();
        }
        for (int32_t k = 0; k <= 15; ++k) {
            EXPECT_EQ(panel.GetFade(), w.from + (w.to - w.from) * k / 15) << "step " << k;
            panel.Step();
        }
        EXPECT_EQ(panel.GetState(), w.endState);
    }
}

// Ten of the fifteen steps in, the picture, the button and each mark are drawn through
// the slide (536 × 5 / 15, about 179, right and 5 low) and at the fade's alpha 170.
TEST_F(EventPanelTest, EveryPartSlidesAndFadesWithThePanel) {
    const int a = 170;
    const uint32_t picture = Over(kPicture, a, 0), button = Over(0xFFFFFFu, a, picture);
    struct SCase {
        std::vector<int32_t> played;
        bool read;
        uint32_t mark;
    };
    for (const SCase& c : {SCase{{}, false, kNotSeen}, {{13}, false, kSeen}, {{}, true, kRead}}) {
        state.Reset();
        history.Clear();
        for (int32_t id : c.played) state.GetStatus().MarkEventSeen(id);
        if (c.read) history.Add("scr\\ev13.scr", 3);
        ASSERT_TRUE(panel.SetEvent("bg\\ev.bmp", 13));
        panel.HideNow();
        panel.Open();
        for (int i = 0; i < 10; ++i) panel.Step();
        probe.Clear();
        panel.Draw();
        probe.Read();
        struct SPointWant {
            int x, y;
            uint32_t want;
        };
        // The picture from (443, 5), the button from (451, 13), the mark from (771, 13).
        for (const SPointWant p : {SPointWant{500, 200, picture}, {438, 200, 0}, {500, 2, 0}, {470, 23, button},
                                   {300, 20, 0}, {779, 21, Over(c.mark, a, picture)}, {600, 16, picture}}) {
            EXPECT_TRUE(Near(probe.At(p.x, p.y), p.want)) << std::hex << c.mark << " at " << std::dec << p.x << ", "
                                                          << p.y << ": " << std::hex << probe.At(p.x, p.y);
        }
    }
}
