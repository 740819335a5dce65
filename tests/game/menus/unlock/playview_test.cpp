#include <gtest/gtest.h>

#include <vector>

#include "engine/base/Log.h"
#include "game/core/SystemData.h"
#include "game/menus/unlock/PlayViewTable.h"
#include "tests/game/menus/unlock/UnlockTestUtil.h"

namespace {

using unlocktest::CCfgFolder;
using unlocktest::CountLinesBeginning;

TEST(PlayViewTable, NoFilesChangeNothing) {
    CCfgFolder cfg;
    std::vector<SPlayViewPair> pairs;
    LoadPlayViewTable(pairs);
    EXPECT_TRUE(pairs.empty());
    PlayViewTable::Reload();
    CSystemData data(CSystemData::kNoLoad);
    for (int id : {0, 1, -1, 500}) PlayViewTable::Find(data, id);
    EXPECT_TRUE(data == CSystemData(CSystemData::kNoLoad));
}

TEST(PlayViewTable, FirstPairOfAKeyCounts) {
    CCfgFolder cfg;
    cfg.Write("playview1.txt",
              "// index, thumbnail, preview, event, key\r\n"
              "\r\n"
              "10, th, pv, 100, 500 // seen by event 500\r\n"
              ", th, pv, 101, 501\r\n"
              "-1, th, pv, 102, 502\r\n"
              "11 th pv 103 503\r\n");
    cfg.Write("playview3.txt",
              "100000, th, pv, 104, 505\r\n"
              "-2, th, pv, 105, 506\r\n"
              "15, th, pv, 106, 505\r\n");
    cfg.Write("playview6.txt",
              "12, th, pv, 107, 500\r\n"
              "13, th, pv, 108, 502\r\n"
              "14, th, pv, 109, 504\r\n"
              "16, th, pv, 110\r\n");
    CLogCapture log;
    std::vector<SPlayViewPair> pairs;
    LoadPlayViewTable(pairs);
    EXPECT_EQ(CountLinesBeginning(log.GetLines(), "ReadPlayViewPairs()"), 2u);
    EXPECT_EQ(pairs, (std::vector<SPlayViewPair>{
                         {10, 500}, {-1, 502}, {11, 503}, {15, 505}, {12, 500}, {13, 502}, {14, 504}, {16, 0}}));

    PlayViewTable::Reload();
    log.Clear();
    struct SCase {
        int event;
        std::vector<int> unlocked;  // indexes set afterwards, all others 0
    };
    const SCase cases[] = {
        {500, {10}},  // not 12
        {502, {}},    // -1 hides 13
        {504, {14}},
        {505, {15}},
        {501, {}},    // its line has no index
        {506, {}},
        {999, {}},
        {0, {16}},    // a line without its key field
    };
    for (const SCase& c : cases) {
        CSystemData data(CSystemData::kNoLoad);
        PlayViewTable::Find(data, c.event);
        CSystemData expect(CSystemData::kNoLoad);
        for (int i : c.unlocked) expect.SetPlayViewUnlock(i, 1);
        EXPECT_TRUE(data == expect) << c.event;
    }
    EXPECT_EQ(log.Count(), 0u);
}

}  // namespace
