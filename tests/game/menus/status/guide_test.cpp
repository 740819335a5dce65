// The guide over a kept game: topics and their pages, the arrows and page numbers,
// the narrowed topic buttons and the return.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/menus/status/GuideScene.h"
#include "tests/game/menus/status/StatusTestUtil.h"

namespace {

using G = CU000Scene;

class GuideTest : public ::testing::Test, public statustest::CStatusGame {
protected:
    G* Guide() { return Current<G>(); }
    screentest::SFrame Shot() {
        d.Move(790, 10);
        d.Frame();
        return d.Pixels();
    }
    void ClickAt(int32_t x, int32_t y) {
        d.Click(x, y);
        d.Frame();
    }
    void ClickTopic(int i) { ClickAt(G::kTopicPlaces[static_cast<size_t>(i)].x + 20, G::kTopicPlaces[static_cast<size_t>(i)].y + 40); }
    void ClickArrow(int j) { ClickAt(G::kArrowPlaces[static_cast<size_t>(j)].x + 10, G::kArrowPlaces[static_cast<size_t>(j)].y + 10); }
    // The page, its numbers and the arrows as the page and count ask.
    void ExpectPage(int topic, int page) {
        const int count = G::kPageCounts[topic];
        const screentest::SFrame f = Shot();
        EXPECT_TRUE(Probe().CornersAt(f, G::kPageSheets[topic], page, 0, 232, 112));
        if (count > 1) {
            EXPECT_TRUE(Probe().CornersAt(f, G::kNumberSheet, page + 1, 0, 592, 460));
            EXPECT_TRUE(Probe().CornersAt(f, G::kNumberSheet, G::kSeparator, 0, 616, 472));
            EXPECT_TRUE(Probe().CornersAt(f, G::kNumberSheet, count, 0, 640, 476));
        } else {
            EXPECT_TRUE(Probe().Absent(f, G::kNumberSheet, G::kSeparator, 0));
        }
        EXPECT_EQ(bool(Probe().CornersAt(f, G::kArrowSheet, 0, 0, 560, 472)), page != 0);
        EXPECT_EQ(bool(Probe().CornersAt(f, G::kArrowSheet, 1, 0, 680, 474)), page < count - 1);
    }
};

TEST_F(GuideTest, TheOverviewFirstThenEveryTopicPagesThroughToItsLastPage) {
    OpenOverGame(17);
    EXPECT_EQ(Guide()->GetTopic(), 0);
    ExpectPage(0, 0);
    EXPECT_TRUE(Probe().CornersAt(d.Pixels(), G::kTopicSheet, 4, 0, 32, 440));
    ClickArrow(1);
    EXPECT_EQ(Guide()->GetPage(), 0) << "no arrow takes a click on a single page";
    for (int i = 0; i < G::kTopicButtons; ++i) {
        const int topic = i + 1;
        SCOPED_TRACE(topic);
        const int32_t loads = Guide()->GetTopicLoads();
        ClickTopic(i);
        ASSERT_EQ(Guide()->GetTopic(), topic);
        EXPECT_EQ(Guide()->GetPageCount(), G::kPageCounts[topic]);
        EXPECT_EQ(Guide()->GetTopicLoads(), loads + 1);
        ExpectPage(topic, 0);
        for (int p = 1; p < G::kPageCounts[topic]; ++p) {
            ClickArrow(1);
            d.Frame(G::kTopicButtons);  // the arrow releases itself
            ASSERT_EQ(Guide()->GetPage(), p);
            ExpectPage(topic, p);
        }
        ClickArrow(1);
        EXPECT_EQ(Guide()->GetPage(), G::kPageCounts[topic] - 1) << "no next page past the last";
        ClickArrow(0);
        EXPECT_EQ(Guide()->GetPage(), G::kPageCounts[topic] - 2);
        d.Frame(G::kTopicButtons);
        EXPECT_EQ(Guide()->GetTopicLoads(), loads + 1) << "turning pages loads nothing";
    }
    EXPECT_FALSE(Guide()->GetTopicButton(0).IsChecked()) << "the other topics are unchecked";
    EXPECT_TRUE(Guide()->GetTopicButton(4).IsChecked());
}

TEST_F(GuideTest, TopicButtonsAnswerOnlyInsideTheirNarrowedRectangle) {
    OpenOverGame(17);
    const SPoint at = G::kTopicPlaces[1];
    ClickAt(at.x + 20, at.y + 5);
    ClickAt(at.x + 20, at.y + 75);
    EXPECT_EQ(Guide()->GetTopic(), 0);
    EXPECT_TRUE(d.Sounds().Take().empty());
    ClickAt(at.x + 20, at.y + 15);
    EXPECT_EQ(Guide()->GetTopic(), 2);
    EXPECT_EQ(d.Sounds().LastFrame(), std::vector<std::string>{"ch0"});
}

TEST_F(GuideTest, TheShownTopicGoesBackToItsFirstPageWithoutLoadingAgain) {
    OpenOverGame(17);
    ClickTopic(1);
    ClickArrow(1);
    d.Frame(G::kTopicButtons);
    ClickArrow(1);
    ASSERT_EQ(Guide()->GetPage(), 2);
    ClickTopic(1);
    EXPECT_EQ(Guide()->GetPage(), 2) << "a checked topic button takes no click";
    const int32_t loads = Guide()->GetTopicLoads();
    Guide()->ShowTopic(2, 0);
    EXPECT_EQ(Guide()->GetPage(), 0);
    EXPECT_EQ(Guide()->GetTopicLoads(), loads);
    Guide()->ShowTopic(9, 0);
    EXPECT_EQ(Guide()->GetTopicLoads(), loads) << "no topic 9";
    EXPECT_EQ(Guide()->GetPageCount(), 5);
}

TEST_F(GuideTest, TheReturnButtonAndCancelLeaveByAReturn) {
    for (bool cancel : {false, true}) {
        SCOPED_TRACE(cancel);
        OpenOverGame(17);
        if (cancel) {
            d.Press(CMouse::kRight);
            d.Frame();
        } else {
            ClickAt(G::kReturnPlace.x + 20, G::kReturnPlace.y + 10);
        }
        EXPECT_EQ(d.Sounds().LastFrame(), std::vector<std::string>{cancel ? "ch2" : "ch0"});
        d.Frame();
        EXPECT_EQ(Scene(), 19);
        EXPECT_EQ(Manager().GetTransitionIndex(), 1);
        Manager().Reset();
    }
}

}  // namespace
