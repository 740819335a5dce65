// The mansion actions' tables: gains, the partner's chance and draw, the event subs.
#include <gtest/gtest.h>

#include <vector>

#include "game/core/Status.h"
#include "game/raising/mansion/MansionTables.h"

namespace {

using namespace mansion;

// Friend f at friend stage g (0..7); the rank comes from the evaluation total.
void SetStage(CStatus& s, int f, int g) {
    SStatusWords& w = s.Words();
    static const int32_t kFlag[4][2] = {{2, 6}, {3, 4}, {4, 4}, {5, 4}};
    // {exchange level, evaluation total, second value, flag}
    static const int32_t kMake[8][4] = {{0, 0, 0, 0},    {1, 0, 0, 0},    {2, 0, 0, 0},     {4, 600, 0, 0},
                                        {7, 2600, 0, 0}, {2, 600, 50, 0}, {4, 1200, 70, 1}, {7, 2600, 100, 1}};
    w.exchange[f] = kMake[g][0] * 100;
    w.evaluationTotal = kMake[g][1];
    w.abilityMastery[f] = kMake[g][2];
    s.SetParam(kFlag[f][0], kFlag[f][1], kMake[g][3]);
    ASSERT_EQ(s.GetFriendStage(f), g);
}

TEST(MansionTables, ExchangeGainByFriendMannerAndLevel) {
    // level 0, 1, 2, 5 for friends 0..3 and both manners
    const int32_t want[4][2][4] = {{{15, 8, 6, 6}, {8, 4, 3, 3}},
                                   {{35, 15, 6, 6}, {20, 8, 3, 3}},
                                   {{35, 15, 6, 6}, {20, 8, 3, 3}},
                                   {{15, 8, 6, 6}, {8, 4, 3, 3}}};
    const int32_t levels[] = {0, 1, 2, 5};
    CStatus s;
    for (int f = 0; f < 4; ++f) {
        for (int m = 0; m < 2; ++m) {
            for (int l = 0; l < 4; ++l) {
                s.Words().exchange[f] = levels[l] * 100 + 99;
                EXPECT_EQ(ExchangeGain(s, f, m), want[f][m][l]) << f << " " << m << " " << l;
            }
        }
    }
}

TEST(MansionTables, BonusesAndChancesByFriendStage) {
    // Per stage: work bonus of partners 0, 1, 2; training bonus of partner 0, of 1 to 3;
    // work chance; training chance of friend 0, of friends 1 and 2 (before the second
    // value's part).
    const int32_t rows[8][8] = {
        {0, 2, 1, 0, 0, 6, 0, 0},   {4, 3, 2, 1, 1, 8, 0, 8},     {6, 5, 4, 4, 3, 10, 10, 10},
        {7, 6, 5, 5, 4, 12, 12, 12}, {9, 8, 7, 6, 5, 14, 14, 14},  {5, 4, 3, 3, 2, 12, 12, 12},
        {6, 5, 4, 4, 3, 14, 14, 14}, {8, 7, 6, 5, 4, 16, 16, 16},
    };
    using A = EPartnerAction;
    for (int g = 0; g < 8; ++g) {
        for (int f = 0; f < 4; ++f) {
            CStatus s;
            SetStage(s, f, g);
            const int32_t* r = rows[g];
            if (f < 3) {
                EXPECT_EQ(WorkGain(s, f), r[f] + 8) << f << " " << g;
            }
            EXPECT_EQ(TrainingGain(s, f), r[f == 0 ? 3 : 4] + 15) << f << " " << g;
            // The stages made here have second values 0, 50, 70 or 100: + 0, 8, 12, 16.
            const int32_t second = s.Words().abilityMastery[f];
            const int32_t bonus = g == 0 ? 0 : second >= 100 ? 16 : second >= 70 ? 12 : second >= 50 ? 8 : 0;
            const int32_t work = f == 3 ? 0 : r[5];
            const int32_t training = f == 3 ? 0 : r[f == 0 ? 6 : 7];
            EXPECT_EQ(PartnerChance(s, A::WORK, f), work == 0 ? 0 : work + bonus) << f << " " << g;
            EXPECT_EQ(PartnerChance(s, A::TRAINING, f), training == 0 ? 0 : training + bonus) << f << " " << g;
        }
    }
}

TEST(MansionTables, LevelTermsAndTheSecondValuesSteps) {
    CStatus s;
    // The level term of work 8..12 and the points term of training 15, 6, 3.
    const int32_t points[] = {-50, 99, 100, 199, 200, 300, 400};
    const int32_t workTerm[] = {8, 8, 9, 9, 10, 11, 12};
    const int32_t trainTerm[] = {15, 15, 6, 6, 3, 3, 3};
    for (size_t i = 0; i < std::size(points); ++i) {
        s.Words().abilityPoints = points[i];
        for (int32_t nobody : {kNoPartner, kForcedPartner}) {
            EXPECT_EQ(WorkGain(s, nobody), workTerm[i]) << points[i];
            EXPECT_EQ(TrainingGain(s, nobody), trainTerm[i]) << points[i];
        }
    }
    // The second value's steps at stage 1 (exchange level 1).
    CStatus u;
    u.Words().exchange[1] = 100;
    const std::pair<int32_t, int32_t> steps[] = {{19, 8}, {20, 10}, {39, 12}, {40, 14}, {59, 16}, {60, 18}, {80, 22}, {90, 24}};
    for (const auto& [second, chance] : steps) {
        u.Words().abilityMastery[1] = second;
        EXPECT_EQ(PartnerChance(u, EPartnerAction::WORK, 1), chance) << second;
    }
}

TEST(MansionTables, WhoMayJoin) {
    CStatus s;
    using A = EPartnerAction;
    EXPECT_EQ(PartnerEligibility(s, A::WORK), (std::array<bool, 4>{false, true, true, false}));
    EXPECT_EQ(PartnerEligibility(s, A::TRAINING), (std::array<bool, 4>{false, false, false, false}));
    for (int f = 0; f < 4; ++f) {
        s.Words().exchange[f] = 200;
        s.Words().abilityMastery[f] = 20;
    }
    EXPECT_EQ(PartnerEligibility(s, A::WORK), (std::array<bool, 4>{true, true, true, false}));
    EXPECT_EQ(PartnerEligibility(s, A::TRAINING), (std::array<bool, 4>{true, true, true, true}));
    s.Words().abilityMastery[0] = 19;
    s.Words().exchange[3] = 199;
    EXPECT_EQ(PartnerEligibility(s, A::TRAINING), (std::array<bool, 4>{false, true, true, false}));
}

TEST(MansionTables, TheDrawAgainstTheChance) {
    auto drawing = [](std::vector<uint32_t> draws) {
        return [draws, i = size_t{0}]() mutable { return draws.at(i++); };
    };
    for (uint32_t r = 0; r < 16; ++r) EXPECT_EQ(DrawPartner(2, 16, drawing({r})), 2) << r;
    EXPECT_EQ(DrawPartner(2, 16, drawing({17})), kNoPartner);
    EXPECT_EQ(DrawPartner(2, 16, drawing({16, 16, 3})), 2) << "a draw equal to the chance is drawn again";
    EXPECT_EQ(DrawPartner(2, 16, drawing({16, 40})), kNoPartner);
    EXPECT_EQ(DrawPartner(-1, 16, drawing({})), kNoPartner) << "nobody eligible";
    EXPECT_EQ(DrawPartner(0, 0, drawing({})), kNoPartner) << "no chance";
}

TEST(MansionTables, TheSubOfEachPartner) {
    using A = EPartnerAction;
    const int32_t work[6] = {1, 2, 3, 0, 0, 4};
    const int32_t training[6] = {1, 2, 3, 4, 0, 5};
    for (int32_t p = 0; p < 6; ++p) {
        EXPECT_EQ(PartnerSub(A::WORK, p), work[p]) << p;
        EXPECT_EQ(PartnerSub(A::TRAINING, p), training[p]) << p;
    }
}

}  // namespace
