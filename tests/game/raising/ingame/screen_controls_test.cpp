// The menus over the stage as the player meets them: the food allowance, the mansion
// menu and the home menu, with the message window, the slide panel's card and whatever
// else the in-game scene draws over a mode.  While a screen takes input, every control
// that would act on a click shows its own picture at its centre; a control under the
// message box or a card is clicked blind.
//
// The pictures are the demo data's, except the message box and the slide panel's card,
// which get the transparent parts of real art (alpha 0 along their edges; the image
// planes take transparency from a PNG's alpha): the check is that nothing drawn later
// covers a control, not that the demo's wholly opaque pictures happen to leave it free.
#include <set>

#include "game/core/SystemData.h"
#include "game/raising/home/HomeHostMode.h"
#include "game/raising/home/HomeScene.h"
#include "game/raising/mansion/MansionHostMode.h"
#include "game/raising/mansionmenu/MansionMenuScene.h"
#include "game/raising/work/FoodAllowanceScene.h"
#include "tests/game/raising/ingame/InGameTestUtil.h"
#include "tools/demo/DemoWriter.h"

namespace {

using namespace ingametest;

constexpr const char* kMessageBox = "obj\\f000_001.bmp";
constexpr const char* kSlideCard = "obj\\e000_000.bmp";
constexpr const char* kPanelButtons = "obj\\b000_011.bmp";
// The list panels' item and back-button sheets.
const std::set<std::string> kListSheets = {"obj\\h002_000.bmp", "obj\\h002_001.bmp", "obj\\m001_000.bmp",
                                           "obj\\m001_001.bmp", "obj\\m001_002.bmp", "obj\\m001_003.bmp"};

struct SControl {
    std::string name;
    std::set<std::string> sheets;  // what its centre may show (its look's cell)
    SRect rect;
};

class ScreenControlsTest : public InGameFixture {
protected:
    void SetUp() override {
        Build({}, [this](const std::string& folder) {
            demo::CDemoWriter out(folder);
            demo::WriteSharedData(out);
            demo::WriteStageData(out);
            demo::WriteWorkFoodData(out);
            demo::WriteMansionMenuData(out);
            demo::WriteHomeData(out);
            demo::WriteStatusGuideData(out);
            sheets = out.Sheets();
            // A box whose top edge and corners are clear, and a card with a clear
            // corner and margin, as painted windows and notes are.
            constexpr uint32_t kClear = 0x00000000u;
            kit::SSheetSpec box = kit::MakeSheet(kMessageBox, 800, 184);
            box.areas = {{0, 0, 800, 12, kClear}, {0, 12, 24, 24, kClear}, {776, 12, 24, 24, kClear}};
            kit::SSheetSpec card = kit::MakeSheet(kSlideCard, 240, 176, 2, 2);
            card.areas = {{200, 136, 40, 40, kClear}, {0, 168, 240, 8, kClear}};
            for (kit::SSheetSpec s : {box, card}) {
                s.png = true;
                ASSERT_TRUE(kit::WriteSheet(folder, s));
                sheets.push_back(s);
            }
        });
        for (int32_t id : {15, 16, 17}) kept->GetModeFactory().SetMaker(id, {});
        EnterParked();
        for (const kit::SSheetSpec& s : sheets) D().Probe().Add(s);
        D().Game().GetSystemData().SetOption(CSystemData::OPTION_CONFIRM, 1);
        // Every mansion button enabled, content, with food left for the home actions.
        SetPlayableStatus(kept->Status());
        kept->Status().SetParam(100, 2, 50);
        kept->Status().SetParam(100, 9, 50);
    }

    // The pointer off every control, one frame, then the controls whose centre shows
    // something else, with what it shows.
    std::vector<std::string> Covered(const std::vector<SControl>& controls) {
        D().Move(799, 5);
        EXPECT_TRUE(D().Frame());
        const screentest::SFrame f = D().Pixels();
        std::vector<std::string> out;
        for (const SControl& c : controls) {
            const int32_t x = (c.rect.left + c.rect.right) / 2;
            const int32_t y = (c.rect.top + c.rect.bottom) / 2;
            const screentest::SCellHit hit = D().Probe().At(f, x, y);
            if (!c.sheets.count(hit.sheet)) out.push_back(c.name + " shows " + hit.Describe());
        }
        return out;
    }
    static void AddButton(std::vector<SControl>* out, const std::string& name, const std::string& sheet,
                          const CButton& b) {
        if (b.HasImage() && b.IsEnabled() && !b.IsLocked()) out->push_back({name, {sheet}, b.GetRect()});
    }
    static void AddPanel(std::vector<SControl>* out, const std::string& name, CListPanel& panel) {
        for (int i = CListPanel::kBack; i < CListPanel::kItemCount; ++i) {
            if (const CImageButton* item = panel.GetItem(i)) {
                AddButton(out, name + " item " + std::to_string(i), "", *item);
                if (!out->empty() && out->back().sheets.count("")) out->back().sheets = kListSheets;
            }
        }
    }
    bool Settled() { return !kept->IsModeInTransition() && !kept->Stage().IsScreenChanging(); }
    // A click on the button opens the list panel: every entry shows; then `close`.
    void ExpectPanelShown(const CButton& button, CListPanel& panel, const std::function<void()>& close) {
        const SRect r = button.GetRect();
        SCOPED_TRACE(testing::Message() << "the button at " << r.left << ", " << r.top);
        D().Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ASSERT_TRUE(D().Frame());
        ASSERT_TRUE(RunUntil([&] { return panel.GetState() == CPanelState::STATE_OPEN; }, 60));
        std::vector<SControl> entries;
        AddPanel(&entries, "panel " + std::to_string(panel.GetType()), panel);
        ASSERT_FALSE(entries.empty());
        EXPECT_EQ(Covered(entries), std::vector<std::string>{});
        close();
        ASSERT_TRUE(RunUntil([&] { return !panel.IsMoving(); }, 60));
    }

    std::vector<kit::SSheetSpec> sheets;
};

using Food = CFoodAllowanceScene;

TEST_F(ScreenControlsTest, TheFoodAllowancesButtonsAndItsQuestionShowOverTheMessageBox) {
    kept->SetMode(Food::kModeId, 0, 0);
    auto food = [this] {
        auto* mode = dynamic_cast<CModeHostState*>(kept->GetCurrentMode());
        return mode ? dynamic_cast<Food*>(mode->GetScreen()) : nullptr;
    };
    ASSERT_TRUE(RunUntil([&] { return food() && food()->GetPhase() == 1 && food()->GetFade() == Food::FADE_SHOWN && Settled(); }));
    std::vector<SControl> choosing;
    AddButton(&choosing, "decide", Food::kDecide, food()->GetDecideButton());
    for (int i = 0; i < Food::kArrowCount; ++i) {
        AddButton(&choosing, "arrow " + std::to_string(i), Food::kArrows, food()->GetArrow(i));
    }
    ASSERT_EQ(choosing.size(), 9u);
    EXPECT_EQ(Covered(choosing), std::vector<std::string>{});

    const SRect decide = food()->GetDecideButton().GetRect();
    D().Click((decide.left + decide.right) / 2, (decide.top + decide.bottom) / 2);
    ASSERT_TRUE(D().Frame());
    CButtonPanel& question = food()->GetPanel();
    ASSERT_TRUE(RunUntil([&] { return question.GetState() == CPanelState::STATE_OPEN; }, 60));
    std::vector<SControl> asking;
    AddButton(&asking, "yes", kPanelButtons, question.GetButton(0));
    AddButton(&asking, "no", kPanelButtons, question.GetButton(1));
    ASSERT_EQ(asking.size(), 2u);
    EXPECT_EQ(Covered(asking), std::vector<std::string>{});
}

TEST_F(ScreenControlsTest, EveryMansionMenuButtonAndPanelEntryShowsBesideTheCardAndAboveTheBox) {
    using Menu = CMansionMenuScene;
    kept->SetMode(CMansionHostMode::kModeId, 0, 0);
    auto menu = [this]() -> Menu* {
        auto* host = dynamic_cast<CMansionHostMode*>(kept->GetCurrentMode());
        auto* mode = host ? dynamic_cast<CModeHostState*>(host->GetCurrentSideMode()) : nullptr;
        return mode ? dynamic_cast<Menu*>(mode->GetScreen()) : nullptr;
    };
    ASSERT_TRUE(RunUntil([&] { return menu() && menu()->GetBoardState() == Menu::SHOWN && Settled(); }));
    ASSERT_EQ(kept->GetSlidePanel().GetState(1), CSlidePanel::STATE_OPEN) << "the card is shown over the menu";
    std::vector<SControl> buttons;
    for (int i = 0; i < Menu::kButtonCount; ++i) {
        AddButton(&buttons, "button " + std::to_string(i), Menu::ButtonPicture(i), menu()->GetButton(i));
    }
    ASSERT_EQ(buttons.size(), static_cast<size_t>(Menu::kButtonCount));
    EXPECT_EQ(Covered(buttons), std::vector<std::string>{});

    // Each panel a button opens (the work, friend, bond, training, job, meal, small
    // expense and status panels).
    for (int button : {0, 1, 2, 3, 5, 6, 7, 9}) {
        ExpectPanelShown(menu()->GetButton(button), menu()->GetPanelA(), [&] { menu()->SetMenuPanel(0); });
    }
}

TEST_F(ScreenControlsTest, EveryHomeMenuButtonAndPanelEntryShowsInTheMessageWindow) {
    kept->SetMode(17, 0, 0);
    auto menu = [this]() -> CHomeScene* {
        auto* host = dynamic_cast<CHomeHostMode*>(kept->GetCurrentMode());
        auto* mode = host ? dynamic_cast<CHomeMenuMode*>(host->GetCurrentSideMode()) : nullptr;
        return mode ? &mode->GetScene() : nullptr;
    };
    ASSERT_TRUE(RunUntil([&] { return menu() && menu()->GetSlideState() == CHomeScene::SLIDE_PLACED && Settled(); }));
    std::vector<SControl> buttons;
    for (int i = 0; i < CHomeScene::kButtonCount; ++i) {
        AddButton(&buttons, "button " + std::to_string(i), CHomeScene::kButtonPictures[i], menu()->GetButton(i));
    }
    ASSERT_EQ(buttons.size(), 6u) << "every button but nursing";
    EXPECT_EQ(Covered(buttons), std::vector<std::string>{});

    // The panels of housework, outing, rest, room play, data and the end question.
    for (int button : {0, 1, 2, 3, 5, 6}) {
        ExpectPanelShown(menu()->GetButton(button), menu()->GetPanel(1), [&] { menu()->OpenPanelState(0); });
    }
}

}  // namespace
