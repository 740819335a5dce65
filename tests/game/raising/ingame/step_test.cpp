// The kept scene's steps taken by hand: what shows between modes, the words the month's
// start and the new year clear, and the closing event's music fade.
#include "tests/game/raising/ingame/InGameTestUtil.h"

#include <set>

#include "engine/d3d/D3DDevice.h"

namespace {

using namespace ingametest;

class StepTest : public InGameFixture {};

TEST_F(StepTest, BetweenModesTheStageShowsOnTheStepsAfterItsScreensAndBlackElsewhere) {
    Build({});
    EnterParked();
    constexpr uint32_t kFill = 0xFF406080u;
    kept->Stage().SetLayerFill(CMainGameScene::kBackgroundLayer, kFill);
    kept->Stage().Update();
    const std::set<int32_t> stage = {10,  30,  35,  40,  41,  42,  50,  60,  70,    80,    90,    100,   110,
                                     120, 130, 140, 150, 152, 154, 160, 161, 10003, 10004, 10005, 10006, 10007};
    for (int32_t step = -1; step <= 10010; step = step == 175 ? 9999 : step + 1) {
        kept->State().m_Step = step;
        CD3DDevice& device = *D().Device();
        device.BeginScene();
        device.Clear(0xFF00FF00u);
        kept->Draw();
        device.EndScene();
        EXPECT_EQ(D().Pixels().At(400, 300), stage.count(step) ? kFill & 0xFFFFFFu : 0u) << step;
    }
}

TEST_F(StepTest, TheMonthsStartCountsMonthsWithoutASeasonTheNewYearClearsItsWordsAndTheClosingFadeNeedsItsRow) {
    Build({{1, 53, 0, "close"}});
    EnterParked();
    CStatus& s = kept->Status();
    SStatusWords& w = s.Words();
    struct Month {
        int32_t season, gap, wantGap;
    };
    for (const Month m : {Month{3, 4, 0}, Month{0, 4, 5}}) {
        s.SetParam(107, 0, m.season);
        w.seasonGap = m.gap;
        kept->State().m_Step = 10;
        kept->UpdateStep();
        EXPECT_EQ(w.seasonGap, m.wantGap) << m.season;
        EXPECT_EQ(w.lastSeasonKind, m.season);
        EXPECT_EQ(s.GetParam(107, 0), 0);
    }
    // January clears (134, 0..15) and (136, 4..7); January and December (127, 4).
    struct Year {
        int32_t month, wantJanuary, want127;
    };
    for (const Year y : {Year{1, 0, 0}, Year{12, 1, 0}, Year{2, 1, 1}}) {
        for (int i = 0; i <= 15; ++i) s.SetParam(134, i, 1);
        for (int i = 4; i <= 7; ++i) s.SetParam(136, i, 1);
        s.SetParam(127, 4, 1);
        w.month = y.month;
        kept->State().m_Step = 11;
        kept->UpdateStep();
        for (int i = 0; i <= 15; ++i) EXPECT_EQ(s.GetParam(134, i), y.wantJanuary) << y.month << " " << i;
        for (int i = 4; i <= 7; ++i) EXPECT_EQ(s.GetParam(136, i), y.wantJanuary) << y.month << " " << i;
        EXPECT_EQ(s.GetParam(127, 4), y.want127) << y.month;
    }
    for (const bool closing : {true, false}) {
        if (!closing) {
            Build({});
            EnterParked();
        }
        SSoundSlotRecord* music = kept->Stage().GetRecord().GetSoundSlot(0, 0);
        music->playing = 1;
        kept->State().m_Step = 125;
        kept->UpdateStep();
        EXPECT_EQ(music->playing, closing ? 0 : 1) << closing;
    }
}

}  // namespace
