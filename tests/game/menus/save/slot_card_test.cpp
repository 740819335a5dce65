// One slot card drawn alone on the demo sheets: which digit, rank and mark cells show
// at which places.
#include <gtest/gtest.h>

#include <array>

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

// Every place of the card, written out for each of the four places on a page, with a
// record that shows every figure: slot numbers 09, 14, 35, 36; saved 2006-11-23 14:05;
// year 12, month 11, week 3, satiety 123, money 1234567, rank 3, both marks.
TEST_F(SlotCardTest, EveryItemStandsAtItsPlaceOnAllFourCards) {
    struct SPlaces {
        int slot;
        SPoint thumb, tens, ones, lastSaved, carry, rank;
        std::array<SPoint, 10> date;  // year, month, day, hour, minute: tens then ones
        std::array<SPoint, 5> captions;
        std::array<SPoint, 2> year, month;
        SPoint week;
        std::array<SPoint, 3> satiety;
        std::array<SPoint, 7> money;  // millions down to ones
    };
    const SPlaces cards[] = {
        {8, {20, 122}, {132, 96}, {149, 98}, {313, 106}, {179, 88}, {277, 171},
         {{{19, 277}, {36, 279}, {75, 280}, {91, 278}, {131, 278}, {148, 280}, {185, 280}, {202, 278}, {243, 277},
           {260, 280}}},
         {{{265, 135}, {313, 137}, {345, 136}, {346, 212}, {344, 255}}},
         {{{235, 133}, {249, 135}}}, {{{287, 134}, {299, 132}}}, {330, 133},
         {{{301, 212}, {316, 208}, {331, 211}}},
         {{{246, 252}, {260, 249}, {274, 247}, {288, 251}, {302, 247}, {316, 251}, {330, 248}}}},
        {13, {20, 374}, {132, 349}, {149, 351}, {313, 359}, {179, 341}, {277, 424},
         {{{19, 530}, {36, 532}, {75, 533}, {92, 531}, {131, 530}, {148, 532}, {184, 533}, {201, 531}, {243, 531},
           {260, 533}}},
         {{{265, 388}, {313, 390}, {345, 389}, {346, 465}, {344, 508}}},
         {{{235, 386}, {249, 388}}}, {{{287, 387}, {299, 385}}}, {330, 386},
         {{{301, 465}, {316, 461}, {332, 464}}},
         {{{246, 505}, {260, 502}, {274, 500}, {288, 504}, {302, 500}, {316, 504}, {330, 501}}}},
        {34, {425, 122}, {537, 96}, {555, 98}, {718, 106}, {584, 88}, {682, 171},
         {{{424, 277}, {441, 279}, {480, 280}, {497, 278}, {536, 277}, {553, 279}, {589, 280}, {606, 278},
           {648, 278}, {665, 280}}},
         {{{670, 135}, {718, 137}, {750, 136}, {751, 212}, {749, 255}}},
         {{{640, 133}, {654, 135}}}, {{{692, 134}, {704, 132}}}, {735, 133},
         {{{706, 212}, {721, 208}, {736, 211}}},
         {{{651, 252}, {665, 249}, {679, 247}, {693, 251}, {707, 247}, {721, 251}, {735, 248}}}},
        {35, {425, 374}, {537, 350}, {555, 352}, {718, 359}, {584, 341}, {682, 424},
         {{{424, 530}, {441, 532}, {480, 533}, {497, 531}, {536, 530}, {553, 532}, {589, 533}, {606, 531},
           {648, 531}, {665, 533}}},
         {{{670, 388}, {718, 390}, {750, 389}, {751, 465}, {749, 508}}},
         {{{640, 386}, {654, 388}}}, {{{692, 387}, {704, 385}}}, {735, 386},
         {{{706, 465}, {721, 461}, {736, 464}}},
         {{{651, 505}, {665, 502}, {679, 500}, {693, 504}, {707, 500}, {721, 504}, {735, 501}}}},
    };
    const int dateDigits[10] = {0, 6, 1, 1, 2, 3, 1, 4, 0, 5};
    for (const SPlaces& c : cards) {
        SCOPED_TRACE(c.slot);
        CSaveData r = Used(12, 11);
        r.m_CarryMark = 1;
        CStatus& s = r.GetGameState().GetStatus();
        s.SetParam(109, 2, 3);
        s.SetParam(108, 3, 123);
        s.SetParam(104, 0, 1234567);
        s.SetParam(104, 4, 600);
        const screentest::SFrame f = Draw(c.slot, r, true);
        const int number = c.slot + 1;
        EXPECT_TRUE(Digit(f, kDate, number / 10, c.tens));
        EXPECT_TRUE(Digit(f, kDate, number % 10, c.ones));
        for (size_t i = 0; i < 10; ++i) EXPECT_TRUE(Digit(f, kDate, dateDigits[i], c.date[i])) << "date " << i;
        EXPECT_TRUE(d.Probe().ShowsCellAt(f, CSlotCard::kLastSavedMark, 0, 0, c.lastSaved.x, c.lastSaved.y));
        EXPECT_TRUE(d.Probe().ShowsCellAt(f, CSlotCard::kCarryMark, 0, 0, c.carry.x, c.carry.y));
        EXPECT_TRUE(d.Probe().ShowsCellAt(f, CSlotCard::kRanks, 3, 0, c.rank.x, c.rank.y));
        for (int i = 0; i < 5; ++i) {
            const SPoint at = c.captions[static_cast<size_t>(i)];
            EXPECT_TRUE(d.Probe().ShowsCellAt(f, CSlotCard::kCaptions, i, 0, at.x, at.y)) << "caption " << i;
        }
        EXPECT_TRUE(Digit(f, kStatus, 1, c.year[0]));
        EXPECT_TRUE(Digit(f, kStatus, 2, c.year[1]));
        EXPECT_TRUE(Digit(f, kStatus, 1, c.month[0]));
        EXPECT_TRUE(Digit(f, kStatus, 1, c.month[1]));
        EXPECT_TRUE(Digit(f, kStatus, 3, c.week));
        for (int i = 0; i < 3; ++i) EXPECT_TRUE(Digit(f, kStatus, i + 1, c.satiety[static_cast<size_t>(i)])) << i;
        for (int i = 0; i < 7; ++i) EXPECT_TRUE(Digit(f, kStatus, i + 1, c.money[static_cast<size_t>(i)])) << i;

        d.Draw([&] { card.DrawPicture(c.slot % 4, false, nullptr, 0, 0xFFFFFFFFu); });
        EXPECT_TRUE(d.Probe().ShowsCellAt(d.Pixels(), CSlotCard::kEmptyPicture, 0, 0, c.thumb.x, c.thumb.y));
    }
}

}  // namespace
