// The shop frame by frame: the first visit, the listing and pages, buying with and
// without the question, ロザナ's lines and voices, the money digits and leaving.
#include "tests/game/raising/mansionmenu/MansionMenuTestUtil.h"

#include <algorithm>
#include <functional>
#include <set>

#include "game/core/VoiceName.h"

namespace {

using namespace menutest;
using screentest::SFrame;
using Shop = CShopScene;

class ShopTest : public ScreenFixture {
protected:
    void SetUp() override {
        Make([](const std::string& folder) {
            std::filesystem::create_directories(kit::NativeFilePath(folder, "scr\\category_000"));
            stagetest::WriteScript(Shop::kIntroScript, {stagetest::Record(1, 2, 0)});
        });
        ASSERT_TRUE(EnterMenu());
    }
    // From the menu to the shop (through its relay), until it takes input.
    bool EnterShop() {
        Host()->SetSideMode(CMansionHostMode::FIRST_RELAY + CMansionHostMode::SHOP, 1, 20);
        return RunUntil([this] {
            return Shop() && Shop()->GetStep() == 3 && Shop()->GetSecondOffset() == 0 && Idle() &&
                   !kept->Stage().IsScreenChanging();
        });
    }
    static SPoint EntryPoint(int k) {
        const SPoint p = Shop::SlotPos(k);
        return SPoint{p.x + 4, p.y + 4};
    }
    const CSaveRecordStrings& Said() { return *kept->Stage().GetMessageLine(0); }
    void SetVoice(bool on) {
        D().Game().GetSystemData().SetVoiceSwitch(ClassifyVoiceName(Shop::kGreetingVoice), on ? 1 : 0);
    }
};

TEST_F(ShopTest, TheFirstVisitPlaysTheIntroductionAndTheSecondOpensAtOnce) {
    Host()->SetSideMode(CMansionHostMode::FIRST_RELAY + CMansionHostMode::SHOP, 1, 20);
    ASSERT_TRUE(RunUntil([this] { return Shop() && Shop()->GetStep() == 1; }));
    EXPECT_EQ(kept->Status().GetParam(143, 0), 1);
    EXPECT_EQ(kept->State().m_ShopVisited, 1);
    EXPECT_EQ(kept->Stage().GetScriptName(), Shop::kIntroScript);
    ASSERT_TRUE(RunUntil([this] { return Shop()->GetStep() == 3; }));
    EXPECT_TRUE(kept->Stage().IsCancelLocked());
    EXPECT_TRUE(kept->Stage().IsSkipStopLocked());
    kept->Stage().SetCancelLock(false);
    ASSERT_TRUE(D().Frame());
    EXPECT_TRUE(kept->Stage().IsCancelLocked()) << "set again every frame";

    Host()->SetSideMode(0, 0, 0);
    ASSERT_TRUE(D().Frame());
    EXPECT_FALSE(kept->Stage().IsCancelLocked()) << "the host gives the cancel back";
    ASSERT_TRUE(MenuReady());
    kept->Stage().StartScript("");
    Host()->SetSideMode(CMansionHostMode::SHOP, 0, 0);
    ASSERT_TRUE(D().Frame(2));
    ASSERT_NE(Shop(), nullptr);
    EXPECT_GE(Shop()->GetStep(), 3) << "no introduction the second time";
}

// Her shop and ロザナ herself stand on the stage behind the boards (the pictures were
// once made on their layers and never shown: the shop opened on black).
TEST_F(ShopTest, TheShopShowsItsBackgroundAndRozana) {
    kept->State().m_ShopVisited = 1;
    ASSERT_TRUE(EnterShop());
    const SFrame f = D().Pixels();
    EXPECT_EQ(D().Probe().At(f, 700, 300).sheet, Shop::kBackground);
    // Her picture 170 pixels left of where it was made: of its 160-pixel columns the
    // second shows from the left edge to x 150.
    const screentest::SCellHit her = D().Probe().At(f, 100, 240);
    EXPECT_EQ(her.sheet, Shop::kKeeper);
    EXPECT_EQ(her.column, 1);
    EXPECT_EQ(her.row, 1);
    EXPECT_EQ(D().Probe().At(f, 150, 240).sheet, Shop::kBackground);
}

TEST_F(ShopTest, GoodsAreListedByTheStatusOnPagesOfEight) {
    kept->Status().SetParam(14, 29, 1);   // entry 0
    kept->Status().SetParam(133, 4, 1);   // entry 30
    kept->Status().Words().shopSpecial17 = 0;
    ASSERT_TRUE(EnterShop());
    const std::vector<int> listed = {0, 2, 7, 8, 12, 18, 22, 23, 26, 27, 30, 31, 32, 33};
    for (int e = 0; e < Shop::kEntryCount; ++e) {
        const bool want = std::find(listed.begin(), listed.end(), e) != listed.end();
        EXPECT_EQ(Shop()->IsListed(e), want) << e;
    }
    EXPECT_EQ(Shop()->GetPageCount(), 2);
    // The ninth listed entry (26) opens page 2 alone at (408, 56).
    EXPECT_EQ(Shop()->GetGoods(26).GetPosition(), (SPoint{408, 56}));
    EXPECT_EQ(Shop()->GetGoods(23).GetPosition(), (SPoint{520, 336}));
    EXPECT_FALSE(Shop()->GetPrev().IsEnabled());
    EXPECT_TRUE(Shop()->GetNext().IsEnabled());
    SFrame f = D().Pixels();
    EXPECT_TRUE(D().Probe().CornersAt(f, Shop::kGoods, 0, 0, 408, 56));
    EXPECT_TRUE(D().Probe().Absent(f, Shop::kGoods, 26, 0));

    ClickAt(SPoint{Shop::kNextPos.x + 4, Shop::kNextPos.y + 4});
    EXPECT_EQ(D().Sounds().Take(), std::vector<std::string>{"ch0"});
    EXPECT_EQ(Shop()->GetPage(), 1);
    EXPECT_TRUE(Shop()->GetPrev().IsEnabled());
    EXPECT_FALSE(Shop()->GetNext().IsEnabled()) << "the last page";
    ASSERT_TRUE(D().Frame(5));
    f = D().Pixels();
    EXPECT_TRUE(D().Probe().CornersAt(f, Shop::kGoods, 26, 0, 408, 56));
    EXPECT_TRUE(D().Probe().Absent(f, Shop::kGoods, 0, 0));
}

// Each entry's price, the items of the last four and the status word that lists each
// entry not always on sale.  Money going down turns the goods off one price at a time.
TEST_F(ShopTest, EveryEntryHasItsPriceItsItemAndItsListingWord) {
    const int32_t prices[Shop::kEntryCount] = {50,  80,  30,  160, 40,  100, 100, 40,  30,  40,  60,  80,
                                               30,  45,  60,  100, 200, 0,   150, 0,   120, 200, 100, 140,
                                               400, 300, 160, 120, 100, 160, 60,  80,  120, 160};
    const int listing[][3] = {{0, 14, 29},  {1, 14, 31},  {3, 14, 0},   {4, 14, 10},  {5, 14, 11},
                              {6, 14, 12},  {9, 125, 8},  {10, 14, 13}, {11, 14, 15}, {13, 14, 17},
                              {14, 125, 0}, {15, 125, 1}, {16, 14, 21}, {20, 133, 5}, {21, 133, 6},
                              {24, 133, 1}, {25, 7, 0},   {28, 133, 2}, {29, 133, 3}, {30, 133, 4}};
    CStatus& s = kept->Status();
    s.SetParam(102, 30, 1);  // entry 30's item
    s.SetParam(102, 33, 1);  // entry 32's
    ASSERT_TRUE(EnterShop());
    for (const auto& [entry, category, index] : listing) {
        EXPECT_FALSE(Shop()->IsOnSale(entry)) << entry;
        s.SetParam(category, index, 1);
        EXPECT_TRUE(Shop()->IsOnSale(entry)) << entry;
        s.SetParam(category, index, 0);
    }
    Shop()->ListGoods([](int) { return true; });
    std::set<int32_t, std::greater<>> monies;
    for (int32_t p : prices) monies.insert({p, std::max(p - 1, 0)});
    for (int32_t money : monies) {
        s.Words().money = money;
        ASSERT_TRUE(D().Frame());
        for (int e = 0; e < Shop::kEntryCount; ++e) {
            const bool owned = e == 30 || e == 32;
            EXPECT_EQ(Shop()->GetGoods(e).IsEnabled(), prices[e] <= money && !owned) << e << " at " << money;
        }
    }
}

// The listing turns "previous" off and leaves "next" as it was made, on; in a shop of
// one page the first press of "next" finds the last page and turns it off.  (The
// goods always on sale make two pages: the listing is asked for two entries here.)
TEST_F(ShopTest, InAShopOfOnePageNextIsOffOnceAPressFindsTheLastPage) {
    ASSERT_TRUE(EnterShop());
    Shop()->ListGoods([](int e) { return e == 2 || e == 7; });
    EXPECT_EQ(Shop()->GetPageCount(), 1);
    EXPECT_EQ(Shop()->GetPage(), 0);
    EXPECT_FALSE(Shop()->GetPrev().IsEnabled());
    EXPECT_TRUE(Shop()->GetNext().IsEnabled());
    const SPoint next{Shop::kNextPos.x + 4, Shop::kNextPos.y + 4};
    ClickAt(next);
    EXPECT_EQ(D().Sounds().Take(), std::vector<std::string>{"ch0"});
    EXPECT_EQ(Shop()->GetPage(), 0) << "no page past the last";
    EXPECT_FALSE(Shop()->GetNext().IsEnabled());
    EXPECT_FALSE(Shop()->GetPrev().IsEnabled());
    ASSERT_TRUE(D().Frame(5));
    ClickAt(next);
    EXPECT_TRUE(D().Sounds().Take().empty());
}

TEST_F(ShopTest, BuyingAtTheExactPriceLeavesNothingAndDisablesWhatTheRestNoLongerCovers) {
    SStatusWords& w = kept->Status().Words();
    w.money = Shop::Price(2) + Shop::Price(8);  // 30 + 30
    SetVoice(true);
    ASSERT_TRUE(EnterShop());
    EXPECT_TRUE(Shop()->GetGoods(7).IsEnabled()) << "40 of 60";
    EXPECT_FALSE(Shop()->GetGoods(18).IsEnabled());
    ClickAt(EntryPoint(2));  // entry 8
    EXPECT_EQ(w.money, 30);
    ASSERT_TRUE(D().Frame());
    EXPECT_FALSE(Shop()->GetGoods(7).IsEnabled()) << "the rest no longer covers 40";
    EXPECT_TRUE(Shop()->GetGoods(2).IsEnabled()) << "a price equal to the money";
    ASSERT_TRUE(D().Frame(5));
    ClickAt(EntryPoint(0));  // entry 2
    EXPECT_EQ(w.money, 0);
    EXPECT_EQ(kept->Status().GetParam(102, 2), 1);
    EXPECT_FALSE(Shop()->GetGoods(2).IsEnabled());
    const std::vector<std::string> sounds = D().Sounds().Take();
    EXPECT_NE(std::find(sounds.begin(), sounds.end(), "ch3"), sounds.end());
    EXPECT_EQ(Said().m_Name, "ロザナ");
    EXPECT_EQ(Said().m_Text, "「毎度あり！」");
    EXPECT_EQ(Said().m_Voice, Shop::kThanksVoice);
}

TEST_F(ShopTest, TheQuestionCancelledKeepsMoneyAndEntryAndItsYesBuys) {
    D().Game().GetSystemData().SetOption(CSystemData::OPTION_CONFIRM, 1);
    SetVoice(false);
    kept->Status().SetParam(102, 8, 1);  // owned: entry 8 disabled
    ASSERT_TRUE(EnterShop());
    EXPECT_FALSE(Shop()->GetGoods(8).IsEnabled());
    EXPECT_EQ(Said().m_Voice, "") << "switch 9 off";
    EXPECT_EQ(Said().m_Text, "「いらっしゃい、なんにするんだい？」");
    ClickAt(EntryPoint(1));  // entry 7
    EXPECT_EQ(Shop()->GetSelected(), 7);
    EXPECT_EQ(D().Sounds().Take(), std::vector<std::string>{"ch0"});
    EXPECT_EQ(Shop()->GetPanel().GetType(), 7);
    ASSERT_TRUE(RunUntil([this] { return Shop()->GetPanel().GetState() == CPanelState::STATE_OPEN; }, 60));
    const SRect no = Shop()->GetPanel().GetButton(1).GetHitRect();
    ClickAt(SPoint{no.left + 4, no.top + 4});
    EXPECT_EQ(D().Sounds().Take(), std::vector<std::string>{"ch2"});
    EXPECT_EQ(kept->Status().Words().money, 1000);
    EXPECT_TRUE(Shop()->GetGoods(7).IsEnabled());
    ASSERT_TRUE(RunUntil([this] { return !Shop()->GetPanel().IsOpen(); }, 60));
    ClickAt(EntryPoint(1));
    ASSERT_TRUE(RunUntil([this] { return Shop()->GetPanel().GetState() == CPanelState::STATE_OPEN; }, 60));
    const SRect yes = Shop()->GetPanel().GetButton(0).GetHitRect();
    ClickAt(SPoint{yes.left + 4, yes.top + 4});
    EXPECT_EQ(kept->Status().Words().money, 1000 - Shop::Price(7));
    EXPECT_EQ(kept->Status().GetParam(102, 7), 1);
}

// A tap on an entry after resting on another shows the tapped entry's help before the
// question opens; pointing at an entry and then pressing it logs its help once.
TEST_F(ShopTest, ATapShowsTheTappedEntrysHelpUnderTheQuestion) {
    D().Game().GetSystemData().SetOption(CSystemData::OPTION_CONFIRM, 1);
    ASSERT_TRUE(EnterShop());
    const std::string kite = "凧です。お値段は30です。";        // entry 12, listed fourth
    const std::string crayons = "クレヨンです。お値段は30です。";  // entry 2, listed first
    D().Move(EntryPoint(3).x, EntryPoint(3).y);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(Said().m_Text, kite);
    ClickAt(EntryPoint(0));
    EXPECT_EQ(D().Sounds().Take(), std::vector<std::string>{"ch0"});
    ASSERT_TRUE(RunUntil([this] { return Shop()->GetPanel().GetState() == CPanelState::STATE_OPEN; }, 60));
    EXPECT_EQ(Said().m_Text, crayons);
    EXPECT_EQ(Logged(crayons), 1);
    // No; then the boots pointed at, and pressed.
    const SRect no = Shop()->GetPanel().GetButton(1).GetHitRect();
    ClickAt(SPoint{no.left + 4, no.top + 4});
    ASSERT_TRUE(RunUntil([this] { return !Shop()->GetPanel().IsOpen(); }, 60));
    const std::string boots = "長靴です。お値段は40です。";  // entry 7, listed second
    D().Move(EntryPoint(1).x, EntryPoint(1).y);
    ASSERT_TRUE(D().Frame());
    ClickAt(EntryPoint(1));
    EXPECT_EQ(Shop()->GetSelected(), 7);
    EXPECT_EQ(Said().m_Text, boots);
    EXPECT_EQ(Logged(boots), 1);
}

TEST_F(ShopTest, TheMoneyIsDrawnDigitByDigitOnTheTopBoard) {
    kept->Status().Words().money = 1234567;
    ASSERT_TRUE(EnterShop());
    ASSERT_TRUE(D().Frame());
    const SFrame f = D().Pixels();
    const std::string text = "1234567";
    for (size_t i = 0; i < text.size(); ++i) {
        const SPoint p = Shop::kMoneyPlaces[text.size() - 1 - i];
        EXPECT_TRUE(D().Probe().CornersAt(f, Shop::kDigits, text[i] - '0', 0, p.x, p.y)) << i;
    }
}

TEST_F(ShopTest, LeavingSaysFarewellWaitsForTheLineAndReturnsToTheMenu) {
    SetVoice(true);
    ASSERT_TRUE(EnterShop());
    EXPECT_EQ(Said().m_Voice, Shop::kGreetingVoice);
    ClickAt(SPoint{Shop::kLeavePos.x + 4, Shop::kLeavePos.y + 4});
    EXPECT_EQ(Shop()->GetStep(), 10);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(Shop()->GetStep(), 11);
    EXPECT_EQ(Said().m_Text, "「またよろしく頼むよ！」");
    EXPECT_EQ(Said().m_Voice, Shop::kFarewellVoice);
    ASSERT_TRUE(RunUntil([this] { return !kept->Stage().IsLineVoicePlaying() && kept->Stage().GetWindow().IsTextHolding(); }, 600));
    ASSERT_TRUE(D().Frame(3));
    EXPECT_EQ(Shop()->GetStep(), 11) << "waits for decide or cancel";
    ClickAt(SPoint{700, 500});
    ASSERT_TRUE(RunUntil([this] { return Menu() != nullptr; }, 30));
    EXPECT_EQ(Host()->GetSideModeId(), 0);
}

}  // namespace
