#pragma once
// The kept in-game scene on the demo data with the real home side as mode 17, an
// event table holding the home actions' occasions, and helpers that reach the home
// menu and drive it.
#include "tests/game/raising/ingame/InGameTestUtil.h"

#include "game/raising/home/HomeActions.h"
#include "game/raising/home/HomeHelpLines.h"
#include "game/raising/home/HomeHostMode.h"
#include "game/raising/home/HomeScene.h"
#include "tools/demo/DemoWriter.h"

namespace hometest {

using namespace ingametest;

class HomeFixture : public InGameFixture {
protected:
    // The occasions of the five actions (a few subs) and, when asked, the closing event.
    void BuildHome(bool closing = true, std::function<void(const std::string&)> more = {}) {
        std::vector<SRow> rows = {{1, 26, 0, "hw0"},  {2, 26, 1, "hw1"},   {3, 28, 10, "out10"},
                                  {4, 28, 0, "out0"}, {5, 41, 1, "play1"}, {6, 46, 0, "rest0"},
                                  {7, 46, 1, "rest1"}, {8, 48, 0, "nurse"}};
        if (closing) rows.push_back({9, 53, 0, "close"});
        Build(rows, [this, more](const std::string& folder) {
            demo::CDemoWriter out(folder);
            demo::WriteSharedData(out);
            demo::WriteHomeData(out);
            for (const kit::SSheetSpec& sheet : out.Sheets()) probe.Add(sheet);
            if (more) more(folder);
        });
        CHomeHelpLines::Shared().Forget();
        kept->GetModeFactory().SetMaker(17, [](CRaisingScene& owner) -> std::unique_ptr<CModeState> {
            return std::make_unique<CHomeHostMode>(owner);
        });
        EnterParked();
        kept->Status().SetParam(100, 9, 100);
    }
    void TearDown() override { CHomeHelpLines::Shared().Forget(); }

    CHomeHostMode* Host() { return dynamic_cast<CHomeHostMode*>(kept->GetCurrentMode()); }
    CHomeScene* Menu() {
        CHomeHostMode* host = Host();
        auto* mode = host ? dynamic_cast<CHomeMenuMode*>(host->GetCurrentSideMode()) : nullptr;
        return mode ? &mode->GetScene() : nullptr;
    }
    // Mode 17 started; the menu loaded (sliding in) after one frame.
    void EnterHome() {
        kept->SetMode(17, 0, 0);
        ASSERT_TRUE(RunUntil([this] { return Menu() != nullptr; }, 5));
    }
    // The menu has slid in and takes input.
    void MenuReady() {
        EnterHome();
        ASSERT_TRUE(RunUntil([this] { return Menu()->GetSlideState() == CHomeScene::SLIDE_PLACED; }, 40));
    }
    // Clicks a point and runs that frame.
    void ClickAt(SPoint p) {
        D().Click(p.x + 4, p.y + 4);
        ASSERT_TRUE(D().Frame());
    }
    void ClickButton(int i) {
        ClickAt(Menu()->GetButton(i).GetPosition());
    }
    // Clicks item i of panel n once it has opened.
    void ClickItem(int n, int i) {
        ASSERT_TRUE(RunUntil([&] { return Menu()->GetPanel(n).GetState() == CPanelState::STATE_OPEN; }, 40));
        ClickAt(Menu()->GetPanel(n).GetItemHome(i));
    }
    // Runs until the home side is back on its menu (or has ended).
    bool BackOnMenu(int limit = 600) {
        return RunUntil([this] { return Host() == nullptr || (Host()->GetHomeMode() == 0 && Menu() != nullptr); },
                        limit);
    }
    // Runs action `id` with its choice already in the game state, straight from the host.
    bool RunAction(int32_t id) {
        Host()->StartHomeMode(id, 0, 0);
        if (!D().Frame()) return false;
        return BackOnMenu();
    }
};

}  // namespace hometest
