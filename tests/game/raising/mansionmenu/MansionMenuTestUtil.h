#pragma once
// The real in-game scene running the real mansion side on the demo data of the menu and
// the shop, with a status on which every menu button is enabled.
#include <string>
#include <vector>

#include "game/core/GameMain.h"
#include "game/core/SystemData.h"
#include "game/raising/mansion/MansionHostMode.h"
#include "game/raising/mansionmenu/HelpTable.h"
#include "game/raising/mansionmenu/MansionMenuScene.h"
#include "game/raising/mansionmenu/ShopScene.h"
#include "tests/game/raising/ingame/InGameTestUtil.h"
#include "tools/demo/DemoWriter.h"

namespace menutest {

using namespace ingametest;

class ScreenFixture : public InGameFixture {
protected:
    void Make(std::function<void(const std::string&)> more = {}) {
        DropMansionHelpTables();
        Build({}, [this, more](const std::string& folder) {
            demo::CDemoWriter out(folder);
            demo::WriteSharedData(out);
            demo::WriteMansionMenuData(out);
            demo::WriteStatusGuideData(out);  // the in-game digits
            sheets = out.Sheets();
            if (more) more(folder);
        });
        kept->GetModeFactory().SetMaker(16, [](CRaisingScene& owner) { return std::make_unique<CMansionHostMode>(owner); });
        EnterParked();
        for (const kit::SSheetSpec& s : sheets) D().Probe().Add(s);
        SetPlayable();
        D().Game().GetSystemData().SetOption(CSystemData::OPTION_CONFIRM, 0);
    }
    // Every menu button enabled: past the first turn, rank 2, the job open.
    void SetPlayable() { SetPlayableStatus(kept->Status()); }
    CMansionHostMode* Host() { return dynamic_cast<CMansionHostMode*>(kept->GetCurrentMode()); }
    template <class T>
    T* Screen() {
        CMansionHostMode* host = Host();
        auto* mode = host ? dynamic_cast<CModeHostState*>(host->GetCurrentSideMode()) : nullptr;
        return mode ? dynamic_cast<T*>(mode->GetScreen()) : nullptr;
    }
    CMansionMenuScene* Menu() { return Screen<CMansionMenuScene>(); }
    CShopScene* Shop() { return Screen<CShopScene>(); }
    bool Idle() { return !Host()->GetSideManager().IsInTransition() && !kept->IsModeInTransition(); }
    // Mode 16 entered; frames until the menu's board is in and the screen change over.
    bool EnterMenu() {
        kept->SetMode(16, 0, 0);
        return MenuReady();
    }
    bool MenuReady() {
        return RunUntil([this] {
            return Menu() && Menu()->GetBoardState() == CMansionMenuScene::SHOWN && Idle() &&
                   !kept->Stage().IsScreenChanging();
        });
    }
    // The centre of button i on the shown board.
    static SPoint ButtonCentre(int i) {
        const SPoint p = CMansionMenuScene::ButtonPos(i);
        return SPoint{p.x + 100, p.y + 20};
    }
    void ClickAt(SPoint p) {
        D().Sounds().Take();
        D().Click(p.x, p.y);
        ASSERT_TRUE(D().Frame());
    }
    // Frames until list panel `panel` is fully open.
    bool PanelOpen(CListPanel& panel) {
        return RunUntil([&] { return panel.GetState() == CPanelState::STATE_OPEN; }, 60);
    }
    static SPoint ItemPoint(CListPanel& panel, int i) {
        const SPoint p = panel.GetItemHome(i);
        return SPoint{p.x + 4, p.y + 4};
    }

    std::vector<kit::SSheetSpec> sheets;
};

}  // namespace menutest
