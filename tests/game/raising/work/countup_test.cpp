// The counting number of the work report: its count over 12 updates and its digits.
#include <gtest/gtest.h>

#include "engine/base/Log.h"
#include "game/raising/work/CountUpNumber.h"
#include "tests/support/screen/ScreenDriver.h"

namespace {

TEST(CountUpNumber, CountsToItsTargetOverTwelveUpdates) {
    CCountUpNumber n;
    n.SetTarget(-120);
    EXPECT_TRUE(n.IsNegative());
    EXPECT_FALSE(n.IsStarted());
    n.Update();  // idle: nothing moves
    n.Start();
    EXPECT_TRUE(n.IsRunning());
    n.Update();  // sets the counter up
    EXPECT_EQ(n.GetShownValue(), 0);
    for (int step = 1; step <= 12; ++step) {
        n.Update();
        EXPECT_EQ(n.GetShownValue(), 120 * step / 12) << step;
        EXPECT_EQ(n.IsRunning(), step < 12) << step;
    }
    EXPECT_TRUE(n.IsStarted());
    n.Start();  // a done number stays done
    EXPECT_FALSE(n.IsRunning());
}

// Digits by probes: each at its place, nothing at (0, 0), the sign 24 pixels left of
// the last place whatever the number of digits.
TEST(CountUpNumber, DrawsEachDigitAtItsPlaceAndTheSignLeftOfTheLast) {
    SetDebugOutputEnabled(false);
    screentest::CObjectDriver d;
    const kit::SSheetSpec digits = kit::MakeSheet("obj\\p001_000.bmp", 18 * 14, 24, 14, 1);
    const kit::SSheetSpec sign = kit::MakeSheet(CCountUpNumber::kSignPicture, 18, 24, 1, 1);
    d.Probe().Write(d.Folder(), digits);
    d.Probe().Write(d.Folder(), sign);
    CImagePlane plane;
    ASSERT_TRUE(plane.Load(digits.name));
    const SPoint places[4] = {{500, 100}, {470, 104}, {440, 98}, {410, 102}};
    struct SCase {
        int32_t value;
        const char* shown;  // units first; '-' nothing
    };
    const SCase cases[] = {{7, "7---"}, {-40, "04--"}, {1205, "5021"}, {12345, "9999"}};
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.value);
        CCountUpNumber n;
        n.Setup(&plane, {places[0], places[1], places[2], places[3]});
        n.SetTarget(c.value);
        n.Start();
        n.Finish();
        CMatrix4 identity;
        MatrixIdentity(&identity);
        d.Draw([&] { n.Draw(identity, 255); });
        const screentest::SFrame f = d.Pixels();
        for (int k = 0; k < 4; ++k) {
            if (c.shown[k] == '-') {
                EXPECT_FALSE(d.Probe().At(f, places[k].x + 2, places[k].y + 2)) << k;
            } else {
                EXPECT_TRUE(d.Probe().CornersAt(f, digits.name, c.shown[k] - '0', 0, places[k].x, places[k].y)) << k;
            }
        }
        EXPECT_FALSE(d.Probe().At(f, 0, 0));
        if (c.value < 0) {
            EXPECT_TRUE(d.Probe().ShowsCellAt(f, sign.name, 0, 0, places[3].x - 24, places[3].y));
        } else {
            EXPECT_TRUE(d.Probe().Absent(f, sign.name, 0, 0));
        }
    }
    SetDebugOutputEnabled(true);
}

}  // namespace
