// The date card: the shown year and month in digit cells, its time, its passing and
// its use of the wide background.
#include "engine/base/Keyboard.h"
#include "game/raising/ingame/BasicModes.h"
#include "game/raising/season/DateCardScene.h"
#include "tests/game/raising/season/SeasonTestUtil.h"

namespace {

using namespace seasontest;
using Card = CD000Scene;

class DateCardTest : public SeasonFixture {
protected:
    // The month's first event, on a picture of its own.
    static constexpr const char* kEventPicture = "bg\\t_event.bmp";
    void SetUp() override {
        BuildSeason({{1, 60, 0, "month_start"}});
        ASSERT_TRUE(D().Probe().Write(D().Folder(), kit::MakeSheet(kEventPicture, 800, 600, 4, 3)));
    }

    // Mode 4 as the month's start asks for it; true once its opening transition is over.
    bool Open() {
        kept->SetMode(4, 1, 30);
        return RunUntil([this] { return Current<Card>() != nullptr && !kept->IsModeInTransition(); });
    }
};

TEST_F(DateCardTest, ShowsTheYearOfTheSeasonAndTheMonthInDigitCells) {
    struct Case {
        int32_t year, month;
        int32_t yearTens, yearOnes, monthTens, monthOnes;  // -1: not drawn
    };
    const Case cases[] = {
        {3, 1, -1, 2, -1, 1}, {3, 3, -1, 2, -1, 3},  {3, 4, -1, 3, -1, 4},
        {4, 10, -1, 4, 1, 0}, {5, 12, -1, 5, 1, 2},  {10, 2, -1, 9, -1, 2},  // year 10 in February shows 9, not 09
        {11, 11, 1, 1, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "year " << c.year << " month " << c.month);
        SetCalendar(c.year, c.month);
        ASSERT_TRUE(Open());
        ASSERT_TRUE(D().Frame());
        const screentest::SFrame f = D().Pixels();
        const int32_t want[4] = {c.yearTens, c.yearOnes, c.monthTens, c.monthOnes};
        for (int i = 0; i < 4; ++i) {
            const SPoint at = Card::kDigitAt[i];
            if (want[i] < 0) {
                EXPECT_NE(probe.At(f, at.x + 2, at.y + 2).sheet, Card::kDigitSheet) << "place " << i;
            } else {
                EXPECT_TRUE(probe.CornersAt(f, Card::kDigitSheet, want[i], 0, at.x, at.y)) << "place " << i;
            }
        }
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(probe.ShowsCellAt(f, Card::kPictures[i], 0, 0, Card::kPictureAt[i].x, Card::kPictureAt[i].y));
        }
        kept->ClearMode();
        ASSERT_TRUE(RunUntil([this] { return ModeEnded(); }));
    }
}

TEST_F(DateCardTest, StaysTwoHundredFiftyFramesAfterItsTransitionAndHoldsTheWideBackground) {
    SetCalendar(2, 5);
    const int32_t users = D().Game().GetWideBackgroundUsers();
    kept->SetMode(4, 1, 30);
    ASSERT_TRUE(D().Frame());
    ASSERT_NE(Current<Card>(), nullptr);
    EXPECT_EQ(D().Game().GetWideBackgroundUsers(), users + 1);
    EXPECT_TRUE(kept->Stage().GetDrawList().IsShown(CMainGameScene::kTalkPriority));
    // The opening transition does not count.
    int transition = 0;
    while (kept->IsModeInTransition()) {
        ASSERT_TRUE(D().Frame());
        ++transition;
    }
    EXPECT_GE(transition, 28);
    int shown = 0;
    while (BlankRequests() == 0 && shown < 400) {
        ASSERT_TRUE(D().Frame());
        ++shown;
    }
    // 250 counted frames, the frame that leaves and the one in which mode 1 is made.
    EXPECT_EQ(shown, 252);
    ASSERT_TRUE(RunUntil([this] { return ModeEnded(); }));
    EXPECT_TRUE(kept->Stage().GetDrawList().IsShown(CMainGameScene::kTalkPriority)) << "given back when the card went";
    EXPECT_EQ(BlankRequests(), 1u);
    EXPECT_EQ(D().Game().GetWideBackgroundUsers(), users);
}

TEST_F(DateCardTest, DecideCancelCtrlAndSkippingPassTheCardAtOnceAndOnce) {
    const std::vector<std::pair<const char*, std::function<void()>>> inputs = {
        {"decide", [this] { D().Press(CMouse::kLeft); }},
        {"cancel", [this] { D().Press(CMouse::kRight); }},
        {"ctrl", [this] { D().Key(Card::kCtrlKey); }},
        {"skip", [this] { kept->Stage().SetSkip(true); }},
    };
    SetCalendar(2, 6);
    for (const auto& [name, input] : inputs) {
        SCOPED_TRACE(name);
        modes.clear();
        kept->SetMode(4, 1, 30);
        ASSERT_TRUE(D().Frame(3));
        // During the opening transition nothing passes the card.
        input();
        ASSERT_TRUE(D().Frame());
        EXPECT_EQ(BlankRequests(), 0u);
        ASSERT_TRUE(RunUntil([this] { return !kept->IsModeInTransition(); }));
        input();
        ASSERT_TRUE(D().Frame());
        input();
        ASSERT_TRUE(D().Frame());
        kept->Stage().SetSkip(false);
        EXPECT_EQ(BlankRequests(), 1u);
        ASSERT_TRUE(RunUntil([this] { return ModeEnded(); }));
        EXPECT_EQ(BlankRequests(), 1u);
    }
}

// The card hides the stage's pictures as it leaves; whatever the month shows next on
// the stage must have them back (they once stayed off, and every event after the first
// date card played its text over a black screen).
TEST_F(DateCardTest, TheMonthsEventsAfterTheCardShowTheirPictures) {
    SetCalendar(1, 4);
    ASSERT_TRUE(Open());
    D().Press(CMouse::kLeft);
    ASSERT_TRUE(RunUntil([this] { return BlankRequests() == 1 && ModeEnded(); }));
    CMainGameScene& stage = kept->Stage();
    ASSERT_TRUE(stage.ShowLayerImage(CMainGameScene::kBackgroundLayer, kEventPicture));
    stage.ShowLayer(CMainGameScene::kBackgroundLayer);
    ASSERT_TRUE(kept->StartEventById(1));
    kept->SetMode(2, 0, 0);
    ASSERT_TRUE(D().Frame());
    ASSERT_NE(Current<CStageMode>(), nullptr);
    const screentest::SFrame f = D().Pixels();
    EXPECT_TRUE(D().Probe().ShowsCellAt(f, kEventPicture, 1, 1, 200, 200));
}

}  // namespace
