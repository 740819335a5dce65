#pragma once
// The whole game with the real in-game scene (the in-game test fixture), the events of
// kind 1 that the work report plays, the demo data of the two screens, and the real
// modes 5 and 15 in place of the fixture's stand-ins.
#include <set>

#include "game/raising/work/FoodAllowanceScene.h"
#include "game/raising/work/WorkReportScene.h"
#include "tests/game/raising/ingame/InGameTestUtil.h"
#include "tools/demo/DemoWriter.h"

namespace worktest {

class WorkFixture : public ingametest::InGameFixture {
protected:
    // The game on the scripts "r0" to "r5" (events (1, 0) to (1, 5)) and `more` rows.
    void BuildWork(const std::vector<ingametest::SRow>& more = {}) {
        std::vector<ingametest::SRow> rows;
        const char* scripts[] = {"r0", "r1", "r2", "r3", "r4", "r5"};
        for (int sub = 0; sub <= 5; ++sub) rows.push_back({10 + sub, 1, sub, scripts[sub]});
        rows.insert(rows.end(), more.begin(), more.end());
        Build(rows, [this](const std::string& folder) {
            demo::CDemoWriter out(folder);
            demo::WriteSharedData(out);
            demo::WriteWorkFoodData(out);
            demo::WriteMusicRoomData(out, 500);  // the stage's music is one of its tunes
            for (const kit::SSheetSpec& sheet : out.Sheets()) {
                if (!probe.Find(sheet.name)) probe.Add(sheet);
            }
        });
        EnterParked();
        CInGameModeFactory& factory = kept->GetModeFactory();
        factory.SetMaker(CR000Scene::kModeId, [this](CRaisingScene& owner) -> std::unique_ptr<CModeState> {
            auto mode = std::make_unique<CWorkReportMode>(owner);
            report = &mode->GetReport();
            return mode;
        });
        factory.SetMaker(CFoodAllowanceScene::kModeId, [this](CRaisingScene& owner) -> std::unique_ptr<CModeState> {
            auto mode = std::make_unique<CFoodAllowanceMode>(owner);
            food = &mode->GetFood();
            return mode;
        });
    }

    // Points report and food at the screens of the mode running now (null for another):
    // a mode and its screen are destroyed when the step machine moves on.
    void FindScreens() {
        CModeState* mode = kept->GetCurrentMode();
        auto* r = dynamic_cast<CWorkReportMode*>(mode);
        auto* f = dynamic_cast<CFoodAllowanceMode*>(mode);
        report = r ? &r->GetReport() : nullptr;
        food = f ? &f->GetFood() : nullptr;
    }

    CR000Scene* report = nullptr;
    CFoodAllowanceScene* food = nullptr;
};

}  // namespace worktest
