// One slot card drawn alone on the demo sheets: which digit, rank and mark cells show
// at which places.
#include <gtest/gtest.h>

#include "game/core/SaveData.h"
#include "game/core/Status.h"
#include "game/menus/save/SlotCard.h"
#include "tests/support/screen/ScreenDriver.h"
#include "tools/demo/DemoWriter.h"

namespace {

constexpr const char* kDate = CSlotCard::kDateDigits;
constexpr const char* kStatus = CSlotCard::kStatusDigits;

class SlotCardTest : public ::testing::Test {
protected:
    SlotCardTest() {
        demo::CDemoWriter out(d.Folder());
        demo::WriteSaveLoadData(out);
        for (const kit::SSheetSpec& sheet : out.Sheets()) d.Probe().Add(sheet);
        card.Load();
    }
    screentest::SFrame Draw(int slot, const CSaveData& record, bool lastSaved = false) {
        d.Draw([&] { card.DrawDetails(slot, record, lastSaved, 0, 0xFFFFFFFFu); });
        return d.Pixels();
    }
    static CSaveData Used(int32_t year = 3, int32_t month = 5) {
        CSaveData r;
        r.m_Used = 1;
        r.m_Time = SSaveTime{2006, 11, 23, 14, 5, 0};
        CStatus& s = r.GetGameState().GetStatus();
        s.SetParam(109, 0, year);
        s.SetParam(109, 1, month);
        return r;
    }
    // The digit cell shows with its corner at the place (digits may repeat on a card).
    ::testing::AssertionResult Digit(const screentest::SFrame& f, const char* sheet, int digit, SPoint at) {
        return d.Probe().CornersAt(f, sheet, digit, 0, at.x, at.y);
    }
    ::testing::AssertionResult NoDigitAt(const screentest::SFrame& f, const char* sheet, SPoint at) {
        const screentest::SCellHit hit = d.Probe().At(f, at.x, at.y);
        if (hit && hit.sheet == sheet) return ::testing::AssertionFailure() << hit.Describe();
        return ::testing::AssertionSuccess();
    }

    screentest::CObjectDriver d;
    CSlotCard card;
};

TEST_F(SlotCardTest, SlotNumbersAndTheSaveDateAlwaysShowTwoDigits) {
    CSaveData empty;
    screentest::SFrame f = Draw(8, empty);
    EXPECT_TRUE(Digit(f, kDate, 0, CSlotCard::kNumberTens[0]));
    EXPECT_TRUE(Digit(f, kDate, 9, CSlotCard::kNumberOnes[0]));
    EXPECT_TRUE(NoDigitAt(f, kDate, CSlotCard::kDate[0][0])) << "an empty slot shows no date";

    f = Draw(35, Used());
    EXPECT_TRUE(Digit(f, kDate, 3, CSlotCard::kNumberTens[3]));
    EXPECT_TRUE(Digit(f, kDate, 6, CSlotCard::kNumberOnes[3]));
    // 2006-11-23 14:05: the year's last two digits, then month, day, hour, minute.
    const int digits[10] = {0, 6, 1, 1, 2, 3, 1, 4, 0, 5};
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(Digit(f, kDate, digits[i], CSlotCard::kDate[3][static_cast<size_t>(i)])) << i;
}

TEST_F(SlotCardTest, StatusFiguresLeaveOutLeadingDigitsAndClampToTheirPlaces) {
    struct SCase {
        const char* what;
        int32_t year, month, money;
        int shownYear;   // -1: no year digit
        bool moneyTens;  // the money's tens place shows
    };
    const SCase cases[] = {
        {"February of year 3", 3, 2, 0, 2, false},
        {"January of year 0", 0, 1, 7, -1, false},
        {"April of year 12", 12, 4, 1234567, 12, true},
        {"a year past its two places", 150, 6, 0, 99, false},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.what);
        CSaveData r = Used(c.year, c.month);
        r.GetGameState().GetStatus().SetParam(104, 0, c.money);
        const screentest::SFrame f = Draw(0, r);
        const auto& year = CSlotCard::kYear[0];
        if (c.shownYear < 0) {
            EXPECT_TRUE(NoDigitAt(f, kStatus, year[1]));
        } else {
            EXPECT_TRUE(Digit(f, kStatus, c.shownYear % 10, year[1]));
        }
        if (c.shownYear >= 10) {
            EXPECT_TRUE(Digit(f, kStatus, c.shownYear / 10, year[0]));
        } else {
            EXPECT_TRUE(NoDigitAt(f, kStatus, year[0]));
        }
        EXPECT_TRUE(Digit(f, kStatus, c.month % 10, CSlotCard::kMonth[0][1]));
        EXPECT_TRUE(NoDigitAt(f, kStatus, CSlotCard::kMonth[0][0]));
        const auto& money = CSlotCard::kMoney[0];
        const int32_t held = r.GetGameState().GetStatus().GetParam(104, 0);
        EXPECT_TRUE(Digit(f, kStatus, held % 10, money[6]));
        if (c.moneyTens) {
            int32_t v = held;
            for (int place = 6; place >= 0; --place, v /= 10) {
                EXPECT_TRUE(Digit(f, kStatus, v % 10, money[static_cast<size_t>(place)])) << place;
            }
        } else {
            EXPECT_TRUE(NoDigitAt(f, kStatus, money[5]));
        }
    }
}

TEST_F(SlotCardTest, RankPictureFollowsTheThresholdsAndMarksFollowTheRecord) {
    const int32_t values[] = {49, 50, 2599, 2600};
    const int ranks[] = {0, 1, 4, 5};
    for (int i = 0; i < 4; ++i) {
        CSaveData r = Used();
        r.GetGameState().GetStatus().SetParam(104, 4, values[i]);
        const screentest::SFrame f = Draw(1, r);
        EXPECT_TRUE(
            d.Probe().ShowsCellAt(f, CSlotCard::kRanks, ranks[i], 0, CSlotCard::kRank[1].x, CSlotCard::kRank[1].y))
            << values[i];
    }
    CSaveData r = Used();
    screentest::SFrame f = Draw(2, r, false);
    EXPECT_TRUE(d.Probe().Absent(f, CSlotCard::kCarryMark, 0, 0));
    EXPECT_TRUE(d.Probe().Absent(f, CSlotCard::kLastSavedMark, 0, 0));
    for (int c = 0; c < 5; ++c) {
        const SPoint at = CSlotCard::kCaption[2][static_cast<size_t>(c)];
        EXPECT_TRUE(d.Probe().ShowsCellAt(f, CSlotCard::kCaptions, c, 0, at.x, at.y)) << c;
    }
    r.m_CarryMark = 1;
    f = Draw(2, r, true);
    EXPECT_TRUE(d.Probe().ShowsCellAt(f, CSlotCard::kCarryMark, 0, 0, CSlotCard::kCarry[2].x, CSlotCard::kCarry[2].y));
    EXPECT_TRUE(d.Probe().ShowsCellAt(f, CSlotCard::kLastSavedMark, 0, 0, CSlotCard::kLastSaved[2].x,
                                      CSlotCard::kLastSaved[2].y));
}

}  // namespace
