// The food allowance screen: its amount rules, its transitions, and the screen in the
// running game with the confirmation panel, the discontented girl and the music.
#include "engine/base/Keyboard.h"
#include "engine/base/Mouse.h"
#include "game/core/SystemData.h"
#include "tests/game/raising/work/WorkTestUtil.h"

namespace {

using namespace worktest;
using F = CFoodAllowanceScene;

TEST(FoodAmount, StartsAtATenthRoundedUpAndStaysWithinMoneyAndNeed) {
    const int32_t required[] = {100, 101, 110, 111};
    const int32_t initial[] = {10, 11, 11, 12};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(F::InitialAmount(required[i]), initial[i]) << required[i];
    struct Case {
        int32_t amount, price, money, required;
        bool press;
        int32_t want;
    };
    const Case cases[] = {
        {1010, 4, 2000, 5000, true, 500},  // +1000 buys what the money pays for
        {-990, 4, 2000, 500, true, 0},     // the floor after a press
        {1010, 2, 99999, 300, true, 300},  // the cap at the required food
        {10, 4, 3, 100, false, 0},         // money below the price
        {3, 8, 7, 100, true, 0},
        {12, 4, 48, 100, false, 12},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(F::ClampAmount(c.amount, c.price, c.money, c.required, c.press), c.want) << c.amount << " " << c.money;
    }
}

class FoodTest : public WorkFixture {
protected:
    void SetUp() override {
        BuildWork();
        SStatusWords& w = kept->Status().Words();
        w.contentment = 50;
        w.money = 1000;
        w.year = 1;
        w.month = 5;
        w.week = 1;
    }
    // Starts the screen and runs it until it takes input (phase 1, fully shown).
    void Open() {
        food = nullptr;
        kept->SetMode(F::kModeId, 0, 0);
        ASSERT_TRUE(RunUntil(
            [this] {
                if (food && food->GetPhase() < 0 && food->GetPhase() != -20) D().Key(VKey::kSpace);
                return food && food->GetPhase() == 1 && food->GetFade() == F::FADE_SHOWN;
            },
            400));
    }
    // A click on a button's middle, then frames until it can be pressed again.
    void ClickAt(const SRect& r) {
        D().Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ASSERT_TRUE(D().Frame());
        ASSERT_TRUE(D().Frame(5));
    }
    SRect Decide() const { return SRect{F::kDecideX, F::kDecideY, F::kDecideX + 176, F::kDecideY + 40}; }
    void SetConfirm(bool on) { D().Game().GetSystemData().SetOption(CSystemData::OPTION_CONFIRM, on ? 1 : 0); }
};

TEST_F(FoodTest, WithoutConfirmationTheDecisionPaysAndStoresAmountAndSatiety) {
    SetConfirm(false);
    Open();
    EXPECT_EQ(food->GetAmount(), 10);
    ClickAt(food->GetArrow(2).GetRect());  // +10
    ClickAt(food->GetArrow(7).GetRect());  // -1
    EXPECT_EQ(food->GetAmount(), 19);
    D().Click(Decide().left + 10, Decide().top + 10);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(food->GetPanel().GetState(), CPanelState::STATE_CLOSED) << "no panel";
    ASSERT_TRUE(RunUntil([this] { return ModeEnded(); }, 200));
    CStatus& s = kept->Status();
    EXPECT_EQ(s.GetParam(108, 2), 19);
    EXPECT_EQ(s.GetParam(108, 3), 19);
    EXPECT_EQ(s.GetParam(104, 0), 1000 - 4 * 19);
}

TEST_F(FoodTest, ThePanelAsksWithInputSuppressedAndCancelGoesBackToChoosing) {
    SetConfirm(true);
    Open();
    CMouse& mouse = D().Game().GetMouse();
    D().Click(10, 10);  // choosing: the click is left to the frame
    ASSERT_TRUE(D().Frame());
    EXPECT_TRUE(mouse.IsLeftPressed());
    ClickAt(Decide());
    EXPECT_EQ(food->GetPhase(), 2);
    EXPECT_EQ(food->GetPanel().GetType(), F::kPanelPlain);
    D().Click(10, 10);  // the panel asks: the stage after it gets no click
    ASSERT_TRUE(D().Frame());
    EXPECT_FALSE(mouse.IsLeftPressed());
    EXPECT_EQ(mouse.GetSuppressCount(), 0);
    EXPECT_EQ(D().Game().GetKeyboard().GetSuppressCount(), 0);
    D().Key(VKey::kEscape);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(food->GetPhase(), 1);
    EXPECT_TRUE(kept->Stage().IsWindowShownByPlayer()) << "the stage did not take the Esc as well";
    EXPECT_EQ(food->GetAmount(), 10);
    // Yes pays.
    ASSERT_TRUE(D().Frame(12));
    ClickAt(Decide());
    ASSERT_TRUE(RunUntil([this] { return !food->GetPanel().IsMoving(); }, 30));
    ClickAt(food->GetPanel().GetButton(0).GetRect());
    ASSERT_TRUE(RunUntil([this] { return ModeEnded(); }, 200));
    EXPECT_EQ(kept->Status().GetParam(104, 0), 1000 - 40);
}

TEST_F(FoodTest, MoneyBelowThePriceKeepsTheAmountAtZeroAndAsksWithTypeFive) {
    SetConfirm(true);
    kept->Status().Words().money = 3;
    Open();
    EXPECT_EQ(food->GetAmount(), 0);
    ClickAt(food->GetArrow(0).GetRect());
    EXPECT_EQ(food->GetAmount(), 0);
    ClickAt(Decide());
    EXPECT_EQ(food->GetPanel().GetType(), F::kPanelLow);
}

TEST_F(FoodTest, ADiscontentedGirlNeedsMoreAndFelinaSpeaksFirst) {
    SStatusWords& w = kept->Status().Words();
    w.contentment = 0;
    w.growth = 10;
    w.seasonKind = 6;
    // (10 × 3 / 4 + 100) × 1.5 = 160, doubled: 320 (doubling first would give 321).
    EXPECT_EQ(kept->Status().GetParam(108, 1), 320);
    std::vector<std::string> names;
    bool friendShown = false;
    food = nullptr;
    kept->SetMode(F::kModeId, 0, 0);
    ASSERT_TRUE(RunUntil(
        [&] {
            if (!food) return false;
            friendShown = friendShown || kept->Stage().GetLayerFile(200) == F::kFriendPicture;
            const CSaveRecordStrings* line = kept->Stage().GetMessageLine(0);
            if (line && (names.empty() || names.back() != line->m_Name)) names.push_back(line->m_Name);
            if (food->GetPhase() == -5 || food->GetPhase() == -4) D().Key(VKey::kSpace);
            return food->GetPhase() == 1;
        },
        400));
    EXPECT_TRUE(friendShown);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "フェリナ");
    // The explanation's name field is a whole sentence, kept whole.
    EXPECT_EQ(names[1], "ピコネに仕送りする食糧量を決定します。満腹度は持ち越されません。");
    EXPECT_NE(kept->Stage().GetMessageLine(0)->m_Text.find("9%以下"), std::string::npos);
    EXPECT_EQ(food->GetAmount(), 32);
}

TEST_F(FoodTest, MusicAlreadyPlayingInAnySlotIsNotRestarted) {
    for (bool playing : {false, true}) {
        SCOPED_TRACE(playing);
        CStageSnapshot& record = kept->Stage().GetRecord();
        *record.GetSoundSlot(0, 0) = SSoundSlotRecord{};
        *record.GetSoundSlot(0, 3) = SSoundSlotRecord{static_cast<uint8_t>(playing), 0, "BGM\\Bgm_002.OGG", 80, 0, 0};
        kept->SetMode(F::kModeId, 0, 0);
        ASSERT_TRUE(D().Frame(2));
        EXPECT_EQ(record.GetSoundSlot(0, 0)->source, playing ? "" : "bgm\\bgm_002.ogg");
        kept->ClearMode();
        ASSERT_TRUE(D().Frame());
    }
}

// The board drops 100 pixels into place fading in over 20 ticks, and a further 100
// fading out over 10.
TEST_F(FoodTest, ShowAndHideSlideAndFadeOverTwentyAndTenTicks) {
    F screen(*kept);
    screen.BeginShow();
    for (int k = 1; k <= 20; ++k) {
        screen.TickTransition();
        const int32_t n = 20 - k;
        EXPECT_EQ(screen.GetOffset(), k == 20 ? 0 : static_cast<int32_t>(-100.0 * n * n / 400.0)) << k;
        EXPECT_EQ(screen.GetAlpha(), 255 * k / 20) << k;
    }
    EXPECT_EQ(screen.GetFade(), F::FADE_SHOWN);
    screen.BeginHide();
    for (int k = 1; k <= 10; ++k) {
        screen.TickTransition();
        if (k == 10) break;  // hidden: the board back in place, invisible
        EXPECT_EQ(screen.GetOffset(), k * k) << k;
        EXPECT_EQ(screen.GetAlpha(), 255 - 255 * k / 10) << k;
    }
    EXPECT_EQ(screen.GetFade(), F::FADE_HIDDEN);
    EXPECT_EQ(screen.GetAlpha(), 0);
    EXPECT_EQ(screen.GetOffset(), 0);
}

TEST_F(FoodTest, EveryNumbersDigitsAtTheirPlaces) {
    kept->Status().Words().money = 12345;
    Open();
    EXPECT_EQ(food->GetSatietyPercent(100000), 999);
    const screentest::SFrame f = D().Pixels();
    const std::string digits = "obj\\p001_000.bmp";
    struct Place {
        int32_t x, y, cell;
    };
    const Place shown[] = {
        {578, 86, 10},  {555, 86, 4},                                                             // price 4
        {557, 122, 0},  {536, 126, 0}, {516, 123, 1},                                             // required 100
        {557, 184, 0},  {527, 190, 1}, {496, 186, 0}, {466, 190, 0},                              // amount 0010
        {579, 260, 10}, {555, 261, 5}, {536, 265, 0}, {516, 262, 3}, {495, 265, 2}, {476, 258, 1}, // left 12305
        {578, 302, 11}, {556, 299, 0}, {536, 302, 1},                                             // satiety 10 %
    };
    for (const Place& p : shown) EXPECT_TRUE(probe.CornersAt(f, digits, p.cell, 0, p.x, p.y)) << p.x << "," << p.y;
    for (const Place& p : {Place{535, 86, 0}, Place{495, 127, 0}, Place{456, 263, 0}, Place{516, 298, 0}}) {
        EXPECT_NE(probe.At(f, p.x + 4, p.y + 12).sheet, digits) << p.x << "," << p.y;
    }
}

}  // namespace
