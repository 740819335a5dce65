#pragma once
// The kept in-game scene on the demo data of the calendar's screens (and the shared
// wide background), its step machine parked, with the real modes 4, 6 and 14.
#include <algorithm>

#include "engine/base/Random.h"
#include "tests/game/raising/ingame/InGameTestUtil.h"
#include "tests/support/TestSupport.h"
#include "tools/demo/DemoWriter.h"

namespace seasontest {

class SeasonFixture : public ingametest::InGameFixture {
protected:
    ~SeasonFixture() override { testsupport::RestoreTestSeed(); }

    void BuildSeason(const std::vector<ingametest::SRow>& rows = {}) {
        Build(rows, [this](const std::string& folder) {
            demo::CDemoWriter out(folder);
            demo::WriteSharedData(out);
            demo::WriteSeasonData(out);
            demo::WriteMusicRoomData(out, 500);  // the ending music is one of its tunes
            for (const kit::SSheetSpec& sheet : out.Sheets()) probe.Add(sheet);
        });
        EnterParked();
        for (int32_t id : {4, 6, 14}) kept->GetModeFactory().SetMaker(id, {});
        modes.clear();
    }
    // The mode the scene runs now, as T (null when another).
    template <class T>
    T* Current() {
        return dynamic_cast<T*>(kept->GetCurrentMode());
    }
    // How many times mode 1 was made since `modes` was last cleared.
    size_t BlankRequests() const { return static_cast<size_t>(std::count(modes.begin(), modes.end(), 1)); }
    void SetCalendar(int32_t year, int32_t month) {
        kept->Status().Words().year = year;
        kept->Status().Words().month = month;
    }
};

}  // namespace seasontest
